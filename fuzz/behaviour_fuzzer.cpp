// The window's behaviour under any sequence of user actions, through a small fake window: after
// each step the figures must be those the step leaves by ui/common/behaviour.hpp, worked out with
// the core's RecalcWrites, and every state what that header promises. Input: byte 0 picks the
// decimal mark (MarkFromByte), then pairs of an action (kActions, any other byte by its value
// modulo their number) and its argument:
//   f  the focus to control (arg - '0') % 17 of those that take it: fields 0..5, the ratio,
//      "default", "close", the flags, the lock options (of the pair shown)
//   c  a click there, which also presses a button, a flag or a lock option (as Space or an arrow)
//   t  arg typed into the field in focus, over its text while selected (as when just entered): an
//      ASCII byte as itself, any other one of kScripts     b  Backspace   p  kPastes[arg]   6  F6

#include "fuzz_support.hpp"

#include "core/key_filter.hpp"
#include "ui/common/behaviour.hpp"

#include <set>
#include <tuple>
#include <utility>
#include <vector>

using namespace quadrel;
using fuzz::Check;

namespace {

using Texts = std::array<std::string, kFieldCount + 1>; // the data fields, then the ratio field

const std::string kPastes[] = {"-2",     "1e400", "nan",     "0",   std::string(400, '9'),
                               "1e-400", "-0",    " 0012 ",  "inf", std::string("1\0002", 3),
                               "3\xFF",  "4,5.6", "\u066B5", "3/2", "1E+15"};
constexpr std::u32string_view kScripts = U"\u0663\u06F8\u0966\u0E51\uFF15\u066B\U0001D7D6\u00E9";
constexpr std::string_view kActions = "fctbp6";

struct FakeWindow : WindowView {
    explicit FakeWindow(std::string_view mark)
        : dec(mark) {
        behaviour.start(mark);
        behaviour.focusChanged(focused); // the focus lands in the first field when the window shows
    }

    std::string text(const Control &f) const override { return texts.at(slot(f)); }
    void write(const Control &f, const std::string &t) override { texts.at(slot(f)) = t; }
    void selectAll(const Control &) override { selected = true; } // only ever the field entered
    void showLockPair(LockPair pair) override { shown = pair; }
    void setLockChecked(LockPair pair, int option) override { checked.at(int(pair)) = option; }
    void focus(const Control &c) override { behaviour.focusChanged(focused = c); }
    void setTitle(const std::string &) override {}
    void setCaptions(const lang::Captions &) override {}
    void setFlagChecked(int, bool) override {}

    static std::size_t slot(const Control &f) { return f == kRatioField ? 6 : f.index; }
    // `t` with the writes of a recalculation from data field `from`, if any.
    Texts recalculated(Texts t, int from) const {
        const FieldTexts in{t[0], t[1], t[2], t[3], t[4], t[5]};
        for (const FieldWrite &w :
             RecalcWrites(from, in, behaviour.ratio(), behaviour.locks(), dec))
            t[w.field] = from >= 0 ? w.text : t[w.field];
        return t;
    }
    // The figures `want` after the focus went from `left` to `focused`: the same, unless an edited
    // field was left: tidied and recalculated from, or without a number, the window on its entry.
    Texts moved(Control left, Texts want) {
        if (left != focused && left.role == Role::Field && std::exchange(editedThisVisit, false)) {
            want[left.index] = CleanNumber(want[left.index], dec);
            if (want[left.index].empty())
                std::tie(want, anchor) = std::pair(onEntry, anchorOnEntry);
            else
                want = recalculated(want, left.index);
        }
        if (left != focused && focused.role == Role::Field)
            std::tie(lastEntered, onEntry, anchorOnEntry) = std::tuple(focused.index, want, anchor);
        return want;
    }
    // What every step leaves behind.
    void check(const Texts &want) const {
        Check(std::equal(texts.begin(), texts.end() - 1, want.begin()), "wrong figures", "");
        Check(behaviour.ratio() > 0 && std::isfinite(behaviour.ratio()), "ratio", texts[6]);
        for (int k = 0; k < kFieldCount; ++k) {
            const std::string &t = texts[k];
            if (focused != Control::Field(k) || !editedThisVisit)
                Check(t.empty() || (CleanNumber(t, dec) == t &&
                                    (fuzz::DecimalsShown(t, dec) <= kFieldDecimals[k] ||
                                     typedFigures[k].contains(t))),
                      "untidy figure", t);
        }
        Check(lastEntered == behaviour.lastEntered() && shown == PairOf(lastEntered), "pair", "");
        for (const LockPair pair : kLockPairs)
            Check(checked[int(pair)] == behaviour.locks().chosen(pair), "lock checked", "");
    }

    std::string dec;
    Texts texts, onEntry;
    Control focused = Control::Field(0);
    bool selected = false; // the text in focus, as a field is when entered
    std::optional<LockPair> shown;
    std::array<int, 3> checked{-1, -1, -1};
    // What the behaviour has to remember: the field entered last, the anchor, the visit.
    int lastEntered = 0, anchor = -1, anchorOnEntry = -1;
    bool editedThisVisit = false;
    // Only a figure the user typed into a field may show more decimals than the field's own.
    std::array<std::set<std::string>, kFieldCount> typedFigures;
    WindowBehaviour behaviour{*this};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    const std::string_view mark = fuzz::MarkFromByte(size > 0 ? data[0] : 0);
    const char32_t markCode = mark == "\u066B" ? U'\u066B' : char32_t(mark[0]);
    FakeWindow w(mark);
    std::vector<Control> focusable;
    for (const layout::Row &row : layout::kControls)
        if (row.control.takesFocus())
            focusable.push_back(row.control);
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        const std::size_t known = kActions.find(char(data[i]));
        const char action = kActions[known != kActions.npos ? known : data[i] % kActions.size()];
        const unsigned char arg = data[i + 1];
        const bool inField = w.focused.role == Role::Field || w.focused == kRatioField;
        const std::string kept = inField && !w.selected ? w.texts[w.slot(w.focused)] : "";
        std::optional<std::string> edit; // the text the user leaves in the field in focus
        Texts want = w.texts;
        const Control left = w.focused;
        if (action == 'f' || action == 'c' || action == '6') {
            Control to = focusable[(unsigned char)(arg - '0') % focusable.size()];
            to.pair = to.pair ? w.shown : to.pair; // only the pair shown can be reached
            // F6: from the pair shown back to the field entered last, else to the option chosen.
            const bool back = left.role == Role::LockOption && left.pair == w.shown;
            const Control f6 = back ? Control::Field(w.lastEntered)
                                    : Control::Lock(*w.shown, w.checked[int(*w.shown)]);
            w.selected = false;
            action == '6' ? w.behaviour.switchLockFocus()
                          : w.behaviour.focusChanged(w.focused = to);
            Check(action != '6' || w.focused == f6, "F6", "");
            want = w.moved(left, want);
            // Only "default" and a new choice in the anchor's pair recalculate, from the anchor.
            const int choice = w.behaviour.locks().chosen(PairOf(w.anchor));
            const bool pressDefault = action == 'c' && to.role == Role::DefaultRatioButton;
            if (action == 'c' && to.role == Role::LockOption)
                w.behaviour.lockChosen(*to.pair, to.index);
            if (action == 'c' && to.role == Role::Flag)
                w.behaviour.flagPressed(to.index);
            if (pressDefault)
                w.behaviour.defaultRatioPressed();
            if (pressDefault || w.behaviour.locks().chosen(PairOf(w.anchor)) != choice)
                want = w.recalculated(want, w.anchor);
        } else if (action == 't' && inField) {
            const char32_t c = arg < 0x80 ? arg : kScripts[arg % kScripts.size()];
            const std::optional<char32_t> typed = w.behaviour.typed(w.focused, c);
            const KeyField kind = w.focused == kRatioField ? KeyField::Ratio : KeyField::Data;
            Check(typed == TypedCharacter(c, kind, markCode), "typed", "");
            if (typed >= U' ' && typed != U'\x7F') // control keys are the edit control's own
                edit = kept + (typed == markCode ? std::string(mark) : std::string{char(*typed)});
        } else if (action == 'b' && inField) {
            edit = kept.substr(0, kept.size() - !kept.empty()); // a byte, even of a mark
        } else if (action == 'p' && inField) {
            edit = kept + kPastes[arg % std::size(kPastes)];
        }
        // An edit recalculates from its data field; one of the ratio from the anchor, as it must
        // when it changes the ratio.
        if (edit) {
            const double ratio = w.behaviour.ratio();
            w.write(w.focused, want[w.slot(w.focused)] = *edit);
            w.selected = false;
            w.behaviour.edited(w.focused);
            if (w.focused.role == Role::Field) {
                w.typedFigures[w.focused.index].insert(CleanNumber(*edit, w.dec));
                w.editedThisVisit = true;
                want = w.recalculated(want, w.anchor = w.focused.index);
            } else if (ratio != w.behaviour.ratio() || w.texts != want) {
                want = w.recalculated(want, w.anchor);
            }
        }
        w.check(want);
    }
    return 0;
}
