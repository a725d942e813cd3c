// The window as laid out: every control's place, the frames and their option groups, the tab
// order, the window's size and flags, and captions that fit their boxes in both languages.

#include "ui_test_support.hpp"

#include "ui/frmMain.hpp"
#include "ui/image_box.hpp"
#include "ui/layout.hpp"
#include "ui/twips.hpp"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace quadrel {
namespace {

using test::control;
using test::describe;

std::string_view containerName(layout::Container c) {
    switch (c) {
    case layout::Container::fraP:
        return "fraP";
    case layout::Container::fraD:
        return "fraD";
    case layout::Container::fraR:
        return "fraR";
    case layout::Container::Window:
        break;
    }
    return "frmMain";
}

QWidget *placed(const QWidget &window, const layout::Place &p) {
    return control(window, p.name, p.index);
}

TEST(Layout, WindowHasFixedClientAreaAndNoMaximiseButton) {
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    EXPECT_EQ(window.size(), QSize(322, 284));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window.windowIcon().isNull());
}

TEST(Layout, TwipsConvertAtTheScreensDensity) {
    struct Case {
        twips::TwipsPerPixel perPixel;
        twips::BoxF box;
        QRect pixels;
    };
    const std::array cases{
        Case{{15, 15}, {120, 60, 435, 240}, {8, 4, 29, 16}},
        Case{{15, 15}, {2078, 2760, 675, 225}, {139, 184, 45, 15}},
        Case{{15, 15}, {68, 2880, 4680, 0}, {5, 192, 312, 1}},
        Case{{15, 15}, {0, 270, 0, 690}, {0, 18, 1, 46}},
        Case{{12, 10}, {120, 60, 435, 240}, {10, 6, 36, 24}},
        Case{{12, 12}, {60 - 48, 60 - 48, 435 + 96, 240 + 96}, {1, 1, 44, 28}},
    };
    for (const Case &c : cases) {
        const test::ScopedTwipsPerPixel density(c.perPixel);
        EXPECT_EQ(twips::toPixels(c.box), c.pixels) << c.box.left << ", " << c.box.top;
    }
}

// Every control named in the layout sits in its container at its converted place; labels keep
// their left and top and take the size of their text; flag 0 is the selected language's flag,
// enlarged by 4 pixels on each side.
TEST(Layout, EveryControlSitsWhereTheLayoutPutsIt) {
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    for (const layout::Place &p : layout::kPlaces) {
        QWidget *widget = placed(window, p);
        const std::string name = std::string(p.name) + '(' + std::to_string(p.index) + ')';
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->parentWidget()->objectName(), test::qstr(containerName(p.container)))
            << name;
        QRect expected = twips::toPixels(p.box);
        if (qobject_cast<QLabel *>(widget) != nullptr)
            expected.setSize(widget->sizeHint());
        if (p.name == "imgLang" && p.index == 0)
            expected.adjust(-4, -4, 4, 4);
        EXPECT_EQ(widget->geometry(), expected) << name;
    }

    // Nothing but the laid-out controls: each named widget appears in the layout exactly once.
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        const auto count = std::count_if(
            layout::kPlaces.begin(), layout::kPlaces.end(), [&](const layout::Place &p) {
                return test::qstr(p.name) == name && p.index == test::indexOf(widget);
            });
        EXPECT_EQ(count, 1) << describe(widget);
    }
}

TEST(Layout, OptionsHeadingIsBoxedCentredAndAboveTheRule) {
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    auto *heading = control<QLabel>(window, "lblOptions");
    QWidget *rule = control(window, "lnLines", 4);
    ASSERT_NE(heading, nullptr);
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(heading->frameShape(), QFrame::Box);
    EXPECT_EQ(heading->frameShadow(), QFrame::Plain);
    EXPECT_EQ(heading->lineWidth(), 1);
    EXPECT_EQ(heading->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(heading->geometry().intersects(rule->geometry()));
    const QObjectList &stack = window.children(); // later siblings are drawn above earlier ones
    EXPECT_GT(stack.indexOf(heading), stack.indexOf(rule));
    // It covers the rule where it crosses it.
    EXPECT_TRUE(heading->autoFillBackground());
    for (int i = 0; i < 5; ++i) {
        auto *line = control<QFrame>(window, "lnLines", i);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->frameShadow(), QFrame::Plain) << i;
        EXPECT_EQ(line->lineWidth(), 1) << i;
    }
}

TEST(Layout, FramesStartHiddenWithTheirFirstOptionSelected) {
    frmMain window; // not shown yet: the state the window is created in
    for (const char *frame : {"fraP", "fraD", "fraR"}) {
        auto *fra = control<QFrame>(window, frame);
        ASSERT_NE(fra, nullptr) << frame;
        EXPECT_TRUE(fra->isHidden()) << frame;
        EXPECT_EQ(fra->frameShape(), QFrame::NoFrame) << frame;
    }
    for (const char *group : {"opzP", "opzD", "opzR"}) {
        auto *first = control<QRadioButton>(window, group, 0);
        auto *second = control<QRadioButton>(window, group, 1);
        ASSERT_NE(first, nullptr) << group;
        ASSERT_NE(second, nullptr) << group;
        EXPECT_TRUE(first->isChecked()) << group;
        EXPECT_FALSE(second->isChecked()) << group;
    }
}

// Clicking an option selects it, deselects the other one of its frame and leaves the other
// frames' choices as they were.
TEST(Layout, EachFrameIsAnOptionGroupOfItsOwn) {
    struct Group {
        const char *frame;
        const char *options;
    };
    const std::array<Group, 3> groups{{{"fraP", "opzP"}, {"fraD", "opzD"}, {"fraR", "opzR"}}};
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    const auto choices = [&] {
        std::vector<bool> checked;
        for (const Group &g : groups) {
            for (int i = 0; i < 2; ++i)
                checked.push_back(control<QRadioButton>(window, g.options, i)->isChecked());
        }
        return checked;
    };
    for (std::size_t k = 0; k < groups.size(); ++k) {
        for (const Group &g : groups)
            control(window, g.frame)->setVisible(g.frame == groups[k].frame);
        std::vector<bool> expected = choices();
        for (int pick : {1, 0, 1}) {
            test::click(control(window, groups[k].options, pick));
            expected[2 * k] = pick == 0;
            expected[2 * k + 1] = pick == 1;
            EXPECT_EQ(choices(), expected) << groups[k].options << '(' << pick << ')';
        }
    }
}

// The control that Tab should reach from `from`: the next one in tab order that is visible and
// takes the focus by Tab. Following the usual desktop convention for option groups, Tab leaves
// a group rather than stepping through its buttons (the arrow keys move inside a group).
QWidget *nextInTabOrder(const QWidget &window, const QWidget *from) {
    const auto &order = layout::kTabOrder;
    const auto at = std::find_if(order.begin(), order.end(), [&](const layout::ControlId &id) {
        return control(window, id.name, id.index) == from;
    });
    if (at == order.end())
        return nullptr;
    const std::size_t start = static_cast<std::size_t>(at - order.begin());
    for (std::size_t step = 1; step <= order.size(); ++step) {
        const layout::ControlId &id = order[(start + step) % order.size()];
        QWidget *candidate = control(window, id.name, id.index);
        const bool takesTab = (candidate->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        const bool sameGroup = qobject_cast<QRadioButton *>(candidate) != nullptr &&
                               candidate->parentWidget() == from->parentWidget() &&
                               qobject_cast<const QRadioButton *>(from) != nullptr;
        if (takesTab && candidate->isVisible() && candidate->isEnabled() && !sameGroup)
            return candidate;
    }
    return nullptr;
}

TEST(Layout, TabVisitsTheVisibleFocusableControlsInLayoutOrder) {
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    auto *first = control(window, "txtDati", 0);
    test::click(first);
    ASSERT_EQ(test::focused(), first);
    std::vector<std::string> visited{describe(first)};
    QWidget *at = first;
    for (int presses = 0; presses < 30; ++presses) {
        QWidget *expected = nextInTabOrder(window, at);
        at = test::pressTab();
        ASSERT_EQ(describe(at), describe(expected)) << "after " << visited.back();
        if (at == first)
            break;
        visited.push_back(describe(at));
    }
    // Labels, frames and images are never visited; the round ends with the ratio row and Close.
    const std::vector<std::string> tail(visited.end() - 3, visited.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"txtRatio", "cmdDefaultRatio", "cmdClose"}));
    EXPECT_EQ(std::count_if(visited.begin(), visited.end(),
                            [](const std::string &n) { return n.starts_with("txtDati"); }),
              6);
}

// A visible frame's options are reached where the frame's tab indices fall; a hidden frame's never.
TEST(Layout, TabReachesTheOptionsOfTheVisibleFrameOnly) {
    struct Case {
        const char *frame;
        int fieldBefore; // the data field whose Tab leads into the frame
        const char *firstOption;
        const char *after; // where the next Tab goes
        int afterIndex;
    };
    const std::array<Case, 3> cases{{
        {"fraR", 3, "opzR", "txtDati", 4},
        {"fraD", 5, "opzD", "txtRatio", -1},
        {"fraP", 5, "opzP", "txtRatio", -1},
    }};
    for (const Case &c : cases) {
        frmMain window;
        ASSERT_TRUE(test::showActive(window));
        test::click(control(window, "txtDati", c.fieldBefore));
        for (const char *frame : {"fraP", "fraD", "fraR"})
            control(window, frame)->setVisible(std::string_view(frame) == c.frame);
        EXPECT_EQ(test::pressTab(), control(window, c.firstOption, 0)) << c.frame;
        EXPECT_EQ(test::pressTab(), control(window, c.after, c.afterIndex)) << c.frame;

        test::click(control(window, "txtDati", c.fieldBefore));
        for (const char *frame : {"fraP", "fraD", "fraR"})
            control(window, frame)->hide();
        const int next = c.fieldBefore + 1;
        QWidget *expected =
            next < kFieldCount ? control(window, "txtDati", next) : control(window, "txtRatio");
        EXPECT_EQ(test::pressTab(), expected) << c.frame << " hidden";
    }
}

// In both languages every label ends before its field, every button and option shows its whole
// caption inside the part of it that is visible, and no two controls overlap.
class CaptionsFit : public testing::TestWithParam<int> {};

// The part of `widget` not cut off by its container, in the widget's own coordinates.
QRect visiblePart(const QWidget *widget) {
    const QRect inParent = widget->geometry() & widget->parentWidget()->rect();
    return inParent.translated(-widget->pos());
}

void expectCaptionFits(const QAbstractButton *button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect inside =
        button->style()->subElementRect(contents, &option, button) & visiblePart(button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    EXPECT_GE(inside.width(), text.width())
        << describe(button) << " " << button->text().toStdString();
    EXPECT_GE(inside.height(), text.height()) << describe(button);
    if (contents == QStyle::SE_RadioButtonContents) {
        const QRect indicator =
            button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
        EXPECT_TRUE(visiblePart(button).contains(indicator)) << describe(button);
    }
}

TEST_P(CaptionsFit, InTheLanguageOfFlag) {
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    test::click(control(window, "imgLang", GetParam()));
    ASSERT_EQ(window.tag(), GetParam() == 0 ? "it" : "uk");

    struct Row {
        const char *label;
        int labelIndex;
        const char *field;
        int fieldIndex;
    };
    std::vector<Row> rows;
    for (int i = 0; i < kFieldCount; ++i)
        rows.push_back({"lblLabels", i, "txtDati", i});
    rows.push_back({"lblRatio", -1, "txtRatio", -1});
    rows.push_back({"lblAuthor", -1, "cmdClose", -1});
    for (const Row &r : rows) {
        auto *label = control<QLabel>(window, r.label, r.labelIndex);
        QWidget *field = control(window, r.field, r.fieldIndex);
        ASSERT_NE(label, nullptr);
        ASSERT_NE(field, nullptr);
        EXPECT_FALSE(label->text().isEmpty()) << describe(label);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
            << describe(label);
        EXPECT_LE(label->geometry().x() + label->width(), field->x())
            << describe(label) << " " << label->text().toStdString();
    }

    for (const char *name : {"cmdDefaultRatio", "cmdClose"})
        expectCaptionFits(control<QPushButton>(window, name), QStyle::SE_PushButtonContents);
    for (const char *name : {"opzP", "opzD", "opzR"}) {
        for (int i = 0; i < 2; ++i)
            expectCaptionFits(control<QRadioButton>(window, name, i),
                              QStyle::SE_RadioButtonContents);
    }

    // No overlaps, in window coordinates, of what is drawn. The three frames share one column and
    // are never shown together, so only controls of the same frame (or of the window) are compared;
    // the options heading lies on the rule by design.
    struct Item {
        const QWidget *widget;
        QString container;
        QRect rect;
    };
    std::vector<Item> items;
    for (const layout::Place &p : layout::kPlaces) {
        const QWidget *widget = placed(window, p);
        if (p.name.starts_with("fra"))
            continue;
        items.push_back({widget, widget->parentWidget()->objectName(),
                         visiblePart(widget).translated(test::windowRect(widget).topLeft())});
    }
    for (std::size_t a = 0; a < items.size(); ++a) {
        for (std::size_t b = a + 1; b < items.size(); ++b) {
            const Item &x = items[a];
            const Item &y = items[b];
            const bool otherFrames = x.container != y.container &&
                                     x.container != QLatin1String("frmMain") &&
                                     y.container != QLatin1String("frmMain");
            const bool headingOnRule =
                (describe(x.widget) == "lnLines(4)" && describe(y.widget) == "lblOptions") ||
                (describe(y.widget) == "lnLines(4)" && describe(x.widget) == "lblOptions");
            if (otherFrames || headingOnRule)
                continue;
            EXPECT_FALSE(x.rect.intersects(y.rect))
                << describe(x.widget) << " overlaps " << describe(y.widget);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, CaptionsFit, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int> &param) {
                             return param.param == 0 ? std::string("Italian")
                                                     : std::string("English");
                         });

} // namespace
} // namespace quadrel
