#pragma once

// A fake main window for the behaviour's tests: it keeps the seven field texts, the selection, the
// focus, the lock pair shown, the captions and the checked flag, and turns a script of user
// actions into the behaviour's calls, as both real windows do.

#include "ui/common/behaviour.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quadrel {

class FakeWindow : public WindowView {
public:
    explicit FakeWindow(std::string_view mark = ",") {
        behaviour.start(mark);
        move(Control::Field(0)); // the focus lands in the first field when the window shows
    }

    // A field's place in `texts` and `selected`: the data fields, then the ratio field.
    static std::size_t slot(const Control &field) {
        return field == kRatioField ? kFieldCount : std::size_t(field.index);
    }
    std::string text(const Control &field) const override { return texts.at(slot(field)); }
    void write(const Control &field, const std::string &text) override {
        texts.at(slot(field)) = text;
        selected.at(slot(field)) = false;
    }
    void selectAll(const Control &field) override { selected.at(slot(field)) = true; }
    void showLockPair(LockPair pair) override { shown = pair; }
    void setLockChecked(LockPair pair, int option) override {
        checkedLocks.at(std::size_t(pair)) = option;
    }
    void focus(const Control &control) override { move(control); }
    void setTitle(const std::string &text) override { title = text; }
    void setCaptions(const lang::Captions &c) override { captions = &c; }
    void setFlagChecked(int flag, bool on) override { checked.at(flag) = on; }
    void setPlaceholder(const Control &field, const std::string &text) override {
        placeholders.at(slot(field)) = text;
    }
    void setToolTip(const Control &field, const std::string &text) override {
        tips.at(slot(field)) = text;
    }
    void enterText(const Control &field, const std::string &text) override {
        move(field);
        edit(text);
    }
    void copyToClipboard(const std::string &text) override { clipboard = text; }
    void showMessage(const std::string &text) override { message = text; }
    std::optional<GivenFile> askForPicture() override { return chosenFile; }

    void move(Control to) {
        focused = to;
        behaviour.focusChanged(to);
    }
    // The user changes the focused field's text.
    void edit(const std::string &text) {
        texts.at(slot(focused)) = text;
        selected.at(slot(focused)) = false;
        behaviour.edited(focused);
    }
    std::string &focusedText() { return texts.at(slot(focused)); }
    bool focusedSelected() const { return selected.at(slot(focused)); }

    // Plays `script`: ❶ to ❼ click data field 0 to 5 and the ratio field, ❽ the default-ratio
    // button, ❾ the close button; Ⓟ ⓟ, Ⓓ ⓓ, Ⓡ ⓡ click the second or first option of the pixel,
    // resolution or print-size pair; ↓ chooses the other option of the pair in focus; ⑥ is F6;
    // Ⓘ Ⓔ press the Italian and English flags; Ⓣ turns the picture, Ⓒ copies the figures; ⌫ is
    // Backspace, ⓐ Ctrl+A, ⓥ a paste of `pasted`;
    // any other character is typed into the field in focus (the texts stay ASCII: the marks used
    // are "," and ".").
    void play(std::u32string_view script) {
        static const std::u32string kClicks = U"❶❷❸❹❺❻❼", kLocks = U"ⓟⓅⓓⒹⓡⓇ";
        for (const char32_t c : script) {
            const auto field = kClicks.find(c), lock = kLocks.find(c);
            if (field != kClicks.npos) {
                move(field < kFieldCount ? Control::Field(int(field)) : kRatioField);
            } else if (lock != kLocks.npos) {
                choose(Control::Lock(LockPair(lock / 2), int(lock % 2)));
            } else if (c == U'↓') {
                choose(Control::Lock(*focused.pair, 1 - focused.index));
            } else if (c == U'❽' || c == U'❾') {
                move({c == U'❽' ? Role::DefaultRatioButton : Role::CloseButton});
                if (c == U'❽')
                    behaviour.defaultRatioPressed();
            } else if (c == U'Ⓘ' || c == U'Ⓔ') {
                move(Control::Flag(c == U'Ⓘ' ? 0 : 1));
                behaviour.flagPressed(focused.index);
            } else if (c == U'⑥') {
                behaviour.switchLockFocus();
            } else if (c == U'Ⓣ' || c == U'Ⓒ') {
                c == U'Ⓣ' ? behaviour.turn() : behaviour.copyFigures();
            } else if (c == U'ⓐ') {
                selected.at(slot(focused)) = true;
            } else if (c == U'⌫' || c == U'ⓥ') {
                std::string kept = focusedSelected() ? "" : focusedText();
                if (c == U'ⓥ')
                    kept += pasted;
                else if (!kept.empty())
                    kept.pop_back();
                edit(kept);
            } else if (const auto typed = behaviour.typed(focused, c)) {
                edit((focusedSelected() ? "" : focusedText()) + char(*typed));
            }
        }
    }
    void choose(Control option) {
        move(option);
        behaviour.lockChosen(*option.pair, option.index);
    }

    // The data fields' and the ratio field's texts: "12|4000|3000||||1,3333333333333".
    std::string all() const {
        std::string s;
        for (const std::string &t : texts)
            s += (s.empty() && &t == &texts[0] ? "" : "|") + t;
        return s;
    }

    std::array<std::string, kFieldCount + 1> texts;
    std::array<bool, kFieldCount + 1> selected{};
    std::optional<LockPair> shown;
    Control focused;
    std::string title;
    const lang::Captions *captions = nullptr;
    std::array<bool, 2> checked{};
    std::array<int, 3> checkedLocks{-1, -1, -1}; // by lock pair
    std::array<std::string, kFieldCount + 1> placeholders, tips;
    std::string clipboard;
    std::string pasted = "-2"; // what ⓥ pastes
    std::string message;                 // the last one shown
    std::optional<GivenFile> chosenFile; // what the open dialog gives
    WindowBehaviour behaviour{*this};
};

} // namespace quadrel
