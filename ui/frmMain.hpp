#pragma once

// frmMain, Quadrel's one window.
//
// Names. The controls keep the names they have always had: a kind prefix and an Italian word.
//   frm window, txt text field, lbl label, cmd push button, fra frame (a borderless container shown
//   and hidden as one), opz option (radio) button, ln line, img image.
//   txtDati ("data"): the six data fields, indexed by Field (core/recalc.hpp); lblLabels: their
//   labels; txtRatio: the X/Y ratio; imgLang: the flags (0 Italian, 1 English); lnLines: the
//   bracket lines of the lock frames and the rule above the ratio.
//   fraP, fraD, fraR: the lock frames, named by the fields they serve (P pixels 0..2, D the DPI
//   field 3, R the print's size 4..5); only the frame of the field last entered shows. Each holds
//   an option pair, opzP / opzD / opzR, choosing what stays fixed.
//   Tag: the window's is the current language code ("it" or "uk"); a data field's (fieldTag_) is
//   its cleaned text on entry, put back when it is left without a number.
//   Twips: the layout's unit, 1/1440 inch (ui/twips.hpp, ui/layout.hpp).
//   n2s / s2n: number to field text and back (core/number_text.hpp).
//   Handlers are named after their control and event: txtDati_GotFocus, imgLang_Click.
//
// How a keystroke flows: a key typed into data field i reaches the field (NumberField), which lets
// digits in, turns "," and "." into the locale's decimal mark and drops other typed characters.
// When the text changes, txtDati_Change(i) runs Recalc(i) only while field i is the window's
// focused control, so the program's own writes never recalculate (apart from one nesting when a
// focus move lands in the field being written). Recalc reads the six texts and the lock options,
// asks the core (RecalcWrites) for the writes, and applies them in order. txtDati_GotFocus and
// txtDati_LostFocus run when the window's focused control really changes (focusMoved): a context
// menu or a switch to another program is not a focus move.
//
// Construction is split in four steps: create the controls, place them from the twips layout,
// connect them, then Form_Load (decimal mark, default ratio, title, Italian captions).

#include "core/recalc.hpp"
#include "lang/captions.hpp"

#include <QString>
#include <QTranslator>
#include <QWidget>

#include <array>
#include <string>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace quadrel {

class ImageBox;
class NumberField;

class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The index of the first flag whose tag equals `l` without regard to letter case, or -1.
    int Lang2Index(const QString &l) const;

    // The window's tag: the current language code ("it" or "uk"), empty before the first switch.
    const QString &tag() const { return tag_; }

    // The decimal mark in use (the first character of the locale's decimal mark).
    QString decimalSep() const { return QString::fromStdString(decimalSep_); }
    double ratio() const { return ratio_; }
    int lastField() const { return lastField_; }

private:
    // Construction.
    void createControls();
    void placeControls();
    void connectControls();
    void Form_Load();

    // Language switching.
    void imgLang_Click(int index);
    void HighlightFlag(int index, bool on);
    void writeCaptions(const lang::Captions &c);  // the seventeen captions, in order, and hints
    void translateQtTexts(std::string_view code); // Qt's own texts in language `code`

    // Field editing.
    void txtDati_Change(int i);
    void txtDati_GotFocus(int i);
    void txtDati_LostFocus(int i);
    void txtRatio_Change();
    void txtRatio_LostFocus();
    void cmdDefaultRatio_Click();
    void switchLockFocus(); // F6: to the option pair shown, or from it back to the last field
    void Recalc(int index);
    void focusMoved(QWidget *now);

    // Controls, with the names and indices of the layout.
    std::array<NumberField *, kFieldCount> txtDati{};
    std::array<QLabel *, kFieldCount> lblLabels{};
    std::array<ImageBox *, 2> imgLang{};
    std::array<QRadioButton *, 2> opzP{};
    std::array<QRadioButton *, 2> opzD{};
    std::array<QRadioButton *, 2> opzR{};
    std::array<QWidget *, 5> lnLines{};
    NumberField *txtRatio = nullptr;
    QLabel *lblRatio = nullptr;
    QLabel *lblOptions = nullptr;
    QLabel *lblAuthor = nullptr;
    QPushButton *cmdDefaultRatio = nullptr;
    QPushButton *cmdClose = nullptr;
    QWidget *fraP = nullptr;
    QWidget *fraD = nullptr;
    QWidget *fraR = nullptr;

    // Window state.
    QString tag_;                               // current language code
    std::array<QString, kFieldCount> fieldTag_; // txtDati(i)'s cleaned text on entry
    std::string decimalSep_;                    // UTF-8, one character
    double ratio_ = 0.0;
    int lastField_ = -1;                // the data field last entered; none yet
    QWidget *focusedControl_ = nullptr; // the control that really has the focus
    QTranslator qtItalian_;             // Qt's own texts in Italian
};

} // namespace quadrel
