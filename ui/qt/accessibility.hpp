#pragma once

// What a screen reader learns of the window where Qt's own accessible interfaces would tell it
// wrongly (on Linux through AT-SPI, as Orca reads it).

#include <QAccessible>

namespace quadrel {

// Installs, once, the accessible interfaces of the window's own kinds of control; called before the
// first control is made, since Qt keeps the first interface made for an object.
//   A widget with the property "accessibleRole" (a QAccessible::Role) has that role: the window is
//   a window named by its title (not a "filler"), a lock frame a grouping named by what it decides
//   (not a window-like "frame", inside which Orca speaks nothing), a line a separator.
//   A flag (ImageBox) is an option button, checked while its language is on, whose action presses
//   it (Qt would offer a check box whose action ticks it without pressing it).
//   A NumberField is a line edit whose placeholder, while it shows, is its description, and whose
//   text is one attribute run: Qt gives an empty run at each
//   offset, after which Orca reads a field without its last character.
void installAccessibility();

// While one lives, Qt tells screen readers of no change. Qt reports a focus move only after the
// FocusIn event: a selection made or a caret set on entry would reach the screen reader first,
// which then reads it twice, or takes the field for announced and says nothing of it.
class Unreported {
public:
    Unreported()
        : previous_(QAccessible::installUpdateHandler([](QAccessibleEvent *) {})) {}
    ~Unreported() { QAccessible::installUpdateHandler(previous_); }
    Unreported(const Unreported &) = delete;
    Unreported &operator=(const Unreported &) = delete;

private:
    QAccessible::UpdateHandler previous_;
};

} // namespace quadrel
