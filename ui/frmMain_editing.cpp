// The window's live editing: recalculation on the user's own edits, focus entry and exit of the
// fields, the ratio field, the default-ratio button, the keys that move to the lock options and
// close the window, and start-up.

#include "frmMain.hpp"

#include "accessibility.hpp"
#include "core/number_text.hpp"
#include "core/ratio.hpp"
#include "image_box.hpp"
#include "number_field.hpp"
#include "version.hpp"

#include <QApplication>
#include <QKeySequence>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <utility>

namespace quadrel {

void frmMain::connectControls() {
    for (int i = 0; i < kFieldCount; ++i)
        connect(txtDati[i], &QLineEdit::textChanged, this, [this, i] { txtDati_Change(i); });
    connect(txtRatio, &QLineEdit::textChanged, this, &frmMain::txtRatio_Change);
    connect(cmdDefaultRatio, &QPushButton::clicked, this, &frmMain::cmdDefaultRatio_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    for (int i = 0; i < 2; ++i)
        connect(imgLang[i], &ImageBox::clicked, this, [this, i] { imgLang_Click(i); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { focusMoved(now); });

    // The platform's Quit keys close the window as "Close" does, and Ctrl+Q everywhere, also where
    // the platform names none. Escape is left alone: one stray key must not end the program.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (const QKeySequence ctrlQ(Qt::CTRL | Qt::Key_Q); !quitKeys.contains(ctrlQ))
        quitKeys.append(ctrlQ);
    auto *quit = new QShortcut(this);
    quit->setKeys(quitKeys);
    connect(quit, &QShortcut::activated, this, &QWidget::close);

    // F6 moves from the field being edited to its lock options and back, as it moves between the
    // parts of a window in other programs. Tab alone never brings the resolution field's pair:
    // either way from that field it enters another field, which shows its own pair.
    new QShortcut(QKeySequence(Qt::Key_F6), this, this, &frmMain::switchLockFocus);

    // An option pair is one Tab stop, at its selected option, as on other desktop programs; the
    // arrow keys move the choice within the pair.
    for (const auto *pair : {&opzP, &opzD, &opzR}) {
        for (QRadioButton *option : *pair) {
            const auto stop = [option](bool on) {
                option->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
            };
            stop(option->isChecked());
            connect(option, &QRadioButton::toggled, this, stop);
        }
    }
}

void frmMain::Form_Load() {
    decimalSep_ = DecimalSepFromMark(QLocale().decimalPoint().toStdString());
    for (NumberField *field : findChildren<NumberField *>())
        field->setDecimalMark(decimalSep());

    cmdDefaultRatio_Click();

    setWindowTitle(windowTitle() + QStringLiteral(" v%1.%2 rev.%3")
                                       .arg(kVersionMajor)
                                       .arg(kVersionMinor)
                                       .arg(kVersionRevision));

    imgLang_Click(0);
}

// Qt reports focus changes that are no move between the window's controls: the window losing and
// regaining activation, a popup menu. Only a change of the focused control runs the exit and entry
// handlers, so a paste from the context menu or a visit to another program neither recalculates
// nor reselects a field. A move made while the window was inactive shows when it comes back.
void frmMain::focusMoved(QWidget *now) {
    if (now == nullptr || now->window() != this || now == focusedControl_)
        return;
    // Qt tells screen readers of the move once this is done; what the handlers write and select
    // meanwhile would reach them first, and they would take the new control for announced.
    const Unreported unreported;
    // In a real move the window's focused control is already the new one when the old one is left.
    if (QWidget *left = std::exchange(focusedControl_, now)) {
        if (left == txtRatio)
            txtRatio_LostFocus();
        for (int i = 0; i < kFieldCount; ++i) {
            if (left == txtDati[i])
                txtDati_LostFocus(i);
        }
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (now == txtDati[i])
            txtDati_GotFocus(i);
    }
}

void frmMain::txtDati_Change(int i) {
    if (focusWidget() == txtDati[i])
        Recalc(i);
}

void frmMain::txtDati_GotFocus(int i) {
    NumberField *field = txtDati[i];
    lastField_ = i;
    fieldTag_[i] = QString::fromStdString(CleanNumber(field->text().toStdString(), decimalSep_));
    field->selectAll();
    fraP->setVisible(i < 3);
    fraD->setVisible(i == 3);
    fraR->setVisible(i > 3);
}

void frmMain::txtDati_LostFocus(int i) {
    QString s = QString::fromStdString(CleanNumber(txtDati[i]->text().toStdString(), decimalSep_));
    if (s.isEmpty())
        s = fieldTag_[i];
    txtDati[i]->write(s);
    Recalc(i);
}

void frmMain::txtRatio_Change() {
    if (focusWidget() != txtRatio)
        return;
    const OptionalNumber v = ReadRatio(txtRatio->text().trimmed().toStdString(), decimalSep_);
    // Only a positive number is a ratio: 0 (on the way to "0,75") or a pasted negative number
    // would make every figure fail or come out negative, so such a text is passed over like one
    // that holds no number.
    if (!v || !(*v > 0.0))
        return;
    ratio_ = *v;
    if (lastField_ >= 0)
        txtDati_LostFocus(lastField_);
}

void frmMain::txtRatio_LostFocus() {
    OptionalNumber v = ReadRatio(txtRatio->text().trimmed().toStdString(), decimalSep_);
    if (!v || !(*v > 0.0))
        v = ratio_;
    txtRatio->write(QString::fromStdString(NumberText(*v, decimalSep_)));
}

void frmMain::cmdDefaultRatio_Click() {
    ratio_ = 4.0 / 3.0;
    txtRatio->write(QString::fromStdString(n2s(ratio_, 13, decimalSep_).value_or("")));
}

void frmMain::switchLockFocus() {
    for (const auto &[frame, pair] : {std::pair{fraP, &opzP}, {fraD, &opzD}, {fraR, &opzR}}) {
        if (frame->isHidden())
            continue;
        if (frame->isAncestorOf(focusWidget())) {
            if (lastField_ >= 0)
                txtDati[lastField_]->setFocus(Qt::ShortcutFocusReason);
        } else {
            (*pair)[(*pair)[0]->isChecked() ? 0 : 1]->setFocus(Qt::ShortcutFocusReason);
        }
        return;
    }
}

void frmMain::Recalc(int index) {
    std::array<std::string, kFieldCount> texts;
    FieldTexts views;
    for (int k = 0; k < kFieldCount; ++k)
        views[k] = texts[k] = txtDati[k]->text().toStdString();
    const LockChoices locks{{opzP[0]->isChecked(), opzP[1]->isChecked()},
                            {opzD[0]->isChecked(), opzD[1]->isChecked()},
                            {opzR[0]->isChecked(), opzR[1]->isChecked()}};
    // Each write may run one nested recalculation (a write into the field that has just received
    // the focus); the writes computed here still go on afterwards, in order.
    for (const FieldWrite &write : RecalcWrites(index, views, ratio_, locks, decimalSep_))
        txtDati[write.field]->write(QString::fromStdString(write.text));
}

} // namespace quadrel
