#include <gtest/gtest.h>

#include "support/private_user_folders.h"

int main(int argc, char** argv) {
  lumiquad::test::PrivateUserFolders folders;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
