#pragma once

// What a screen reader learns of the window beyond what Qt's own widgets tell it.

namespace quadrel {

// Installs, once, the accessible interfaces of the window's own kinds of control. A widget with
// the property "accessibleRole" (a QAccessible::Role) has that role: the window is a window named
// by its title, the lock frames are groupings named by what they decide, the lines separators. A
// flag (ImageBox) is a check box, checked while its language is on, whose press action clicks it.
void installAccessibility();

} // namespace quadrel
