// The window's behaviour under any sequence of user actions, through the tests' fake window: after
// each step the figures must be those the step leaves by ui/common/behaviour.hpp, worked out with
// the core's RecalcWrites, and every state what that header promises. Input: byte 0 picks the
// decimal mark (MarkFromByte), then pairs of an action (kActions, any other byte by its value
// modulo their number) and its argument:
//   f  the focus to control (arg - '0') % 17 of those that take it: fields 0..5, the ratio,
//      "default", "close", the flags, the lock options (of the pair shown)
//   c  a click there, which also presses a button, a flag or a lock option (as Space or an arrow)
//   t  arg typed into the field in focus, over its text while selected (as when just entered): an
//      ASCII byte as itself, any other one of kScripts     b  Backspace   p  kPastes[arg]   6  F6
//   r  Ctrl+R, turning the picture

#include "fuzz_support.hpp"

#include "core/key_filter.hpp"
#include "core/ratio.hpp"
#include "core/size_text.hpp"
#include "tests/common/fake_window.hpp"

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
constexpr std::string_view kActions = "fctbp6r";

// The tests' fake window, and what the behaviour's promises are checked against.
struct CheckedWindow : FakeWindow {
    explicit CheckedWindow(std::string_view mark)
        : FakeWindow(mark)
        , dec(mark) {}

    // A data field's own figure as text, as leaving it tidies it, and the ratio a pair or a paper
    // in it writes; no figure for a text that is no number nor size.
    std::pair<std::string, std::string> own(int k, const std::string &t) const {
        if (ReadNumber(t, dec))
            return {CleanNumber(t, dec), ""};
        if (const auto pair = ReadPixelPair(t, dec); pair && (k == PixelsX || k == PixelsY))
            return {NumberText(k == PixelsX ? pair->x : pair->y, dec), pair->ratioText};
        const auto size = ReadPrintSize(t, dec);
        if (!size || (k != WidthCm && k != HeightCm))
            return {};
        if (!size->heightCm)
            return {NumberText(size->widthCm, dec), ""};
        return {NumberText(k == WidthCm ? size->widthCm : *size->heightCm, dec), size->ratioText};
    }
    // `t` with the writes of a recalculation from data field `from`, if any.
    Texts recalculated(Texts t, int from) const {
        Texts read = t;
        if (from >= 0)
            read[from] = own(from, t[from]).first;
        const FieldTexts in{read[0], read[1], read[2], read[3], read[4], read[5]};
        for (const FieldWrite &w :
             RecalcWrites(from, in, behaviour.ratio(), behaviour.locks(), dec))
            t[w.field] = from >= 0 ? w.text : t[w.field];
        return t;
    }
    // The figures `want` after the focus went from `left` to `focused`: the same, unless an edited
    // field was left: tidied to its own figure, or without one, the window (and the ratio) on its
    // entry.
    Texts moved(Control left, Texts want) {
        if (left != focused && left.role == Role::Field) {
            bool restored = false;
            std::tie(want, restored) = tidied(left.index, want);
            Check(!restored || behaviour.ratio() == ratioOnEntry, "ratio given back", "");
        }
        if (left != focused && focused.role == Role::Field) {
            std::tie(lastEntered, onEntry, anchorOnEntry) = std::tuple(focused.index, want, anchor);
            ratioOnEntry = behaviour.ratio();
            ratioFromText = false;
        }
        return want;
    }
    // `want` once data field k is tidied as leaving it tidies it; whether the window was given
    // back as it was on entry.
    std::pair<Texts, bool> tidied(int k, Texts want) {
        if (!std::exchange(editedThisVisit, false))
            return {want, false};
        want[k] = own(k, want[k]).first;
        if (!want[k].empty())
            return {want, false};
        anchor = anchorOnEntry;
        return {onEntry, true};
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
                                     typedFigures.contains(t))),
                      "untidy figure", t);
        }
        Check(lastEntered == behaviour.lastEntered() && shown == PairOf(lastEntered), "pair", "");
        for (const LockPair pair : kLockPairs)
            Check(checkedLocks[int(pair)] == behaviour.locks().chosen(pair), "lock checked", "");
    }

    std::string dec;
    Texts onEntry;
    // What the behaviour has to remember: the field entered last, the anchor, the visit.
    int lastEntered = 0, anchor = -1, anchorOnEntry = -1;
    bool editedThisVisit = false;
    double ratioOnEntry = 4.0 / 3; // and whether a pair or a paper typed since set the ratio
    bool ratioFromText = false;
    // Only a figure the user typed may show more decimals than its field's own (turning the
    // picture moves it to the partner field).
    std::set<std::string> typedFigures;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    const std::string_view mark = fuzz::MarkFromByte(size > 0 ? data[0] : 0);
    const char32_t markCode = mark == "\u066B" ? U'\u066B' : char32_t(mark[0]);
    CheckedWindow w(mark);
    std::vector<Control> focusable;
    for (const layout::Row &row : layout::kControls)
        if (row.control.takesFocus())
            focusable.push_back(row.control);
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        const std::size_t known = kActions.find(char(data[i]));
        const char action = kActions[known != kActions.npos ? known : data[i] % kActions.size()];
        const unsigned char arg = data[i + 1];
        const bool inField = w.focused.role == Role::Field || w.focused == kRatioField;
        const std::string kept = inField && !w.focusedSelected() ? w.texts[w.slot(w.focused)] : "";
        std::optional<std::string> edit; // the text the user leaves in the field in focus
        Texts want = w.texts;
        const Control left = w.focused;
        if (action == 'f' || action == 'c' || action == '6') {
            Control to = focusable[(unsigned char)(arg - '0') % focusable.size()];
            to.pair = to.pair ? w.shown : to.pair; // only the pair shown can be reached
            // F6: from the pair shown back to the field entered last, else to the option chosen.
            const bool back = left.role == Role::LockOption && left.pair == w.shown;
            const Control f6 = back ? Control::Field(w.lastEntered)
                                    : Control::Lock(*w.shown, w.checkedLocks[int(*w.shown)]);
            w.selected.fill(false);
            action == '6' ? w.behaviour.switchLockFocus() : w.move(to);
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
        } else if (action == 'r') {
            // Turning tidies the field in focus as leaving it would, and works nothing out: turned
            // twice more, everything is as after the first.
            auto [expected, restored] =
                left.role == Role::Field ? w.tidied(left.index, want) : std::pair(want, false);
            std::swap(expected[PixelsX], expected[PixelsY]);
            std::swap(expected[WidthCm], expected[HeightCm]);
            const double before = restored ? w.ratioOnEntry : w.behaviour.ratio();
            w.behaviour.turn();
            Check(std::equal(w.texts.begin(), w.texts.end() - 1, expected.begin()) &&
                      std::fabs(w.behaviour.ratio() * before - 1) < 1e-9,
                  "turned", "");
            const Texts turned = w.texts;
            const double ratio = w.behaviour.ratio();
            w.behaviour.turn();
            w.behaviour.turn();
            Check(w.texts == turned && w.behaviour.ratio() == ratio, "turned twice", "");
            constexpr std::array<int, kFieldCount> kPartner{0, 2, 1, 3, 5, 4};
            w.anchor = w.anchor >= 0 ? kPartner[w.anchor] : -1;
            w.ratioFromText = false;
            want = turned;
        } else if (action == 't' && inField) {
            const char32_t c = arg < 0x80 ? arg : kScripts[arg % kScripts.size()];
            const std::optional<char32_t> typed = w.behaviour.typed(w.focused, c);
            const KeyField kind =
                w.focused == kRatioField ? KeyField::Ratio : KeyFieldOf(w.focused.index);
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
            w.behaviour.edited(w.focused);
            if (w.focused.role == Role::Field) {
                const int k = w.focused.index;
                const auto [figure, ratioText] = w.own(k, *edit);
                w.typedFigures.insert(figure);
                w.editedThisVisit = true;
                w.anchor = k;
                // A pair or a paper sets the ratio while the text holds it; a figure alone gives
                // back the one the field found; no figure derives nothing.
                if (!ratioText.empty())
                    Check(w.behaviour.ratio() == ReadRatio(ratioText, w.dec), "pair's ratio", "");
                else if (!figure.empty() && std::exchange(w.ratioFromText, false))
                    Check(w.behaviour.ratio() == w.ratioOnEntry, "ratio back", *edit);
                w.ratioFromText = w.ratioFromText || !ratioText.empty();
                if (!figure.empty())
                    want = w.recalculated(want, k);
            } else if (ratio != w.behaviour.ratio() || w.texts != want) {
                want = w.recalculated(want, w.anchor);
            }
        }
        w.check(want);
    }
    return 0;
}
