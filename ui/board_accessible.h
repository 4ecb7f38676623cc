#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace lumiquad {

// Lets assistive technology read the board view: its name and description, and as its value
// the square under the keyboard cursor with its kind and tile. Installed once, at start.
void InstallBoardAccessibility();

}  // namespace lumiquad
