// The window's live editing: key filters, recalculation on the user's own edits, focus entry and
// exit of the fields, the ratio field, the default-ratio and close buttons, the keys that press
// buttons and close the window, and start-up.

#include "frmMain.hpp"

#include "core/key_filter.hpp"
#include "core/number_text.hpp"
#include "core/ratio.hpp"
#include "image_box.hpp"
#include "version.hpp"

#include <QApplication>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QLocale>
#include <QMetaEnum>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <string>
#include <utility>

namespace quadrel {

namespace {

std::string toUtf8(const QString &text) {
    return text.toStdString();
}

// What typed `text` puts into a number field: digits as typed, "," and "." as the decimal mark,
// control characters as they are, in the ratio field "/" and ":" as well, nothing else.
QString filterTyped(const QString &text, const QString &mark, KeyField kind) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            length = 2;
        }
        switch (FilterKey(c, kind)) {
        case KeyAction::Pass:
            out += text.mid(i, length);
            break;
        case KeyAction::InsertDecimalMark:
            out += mark;
            break;
        case KeyAction::Discard:
            break;
        }
        i += length - 1;
    }
    return out;
}

bool isStandardShortcut(const QKeyEvent *event) {
    const QMetaEnum keys = QMetaEnum::fromType<QKeySequence::StandardKey>();
    for (int k = 0; k < keys.keyCount(); ++k) {
        const auto key = static_cast<QKeySequence::StandardKey>(keys.value(k));
        if (key != QKeySequence::UnknownKey && event->matches(key))
            return true;
    }
    return false;
}

// Whether the line edit would insert the key's text as typed text. Keys pressed with Ctrl are
// shortcuts, and so is any standard shortcut; with Alt or Meta and no shortcut behind it, the line
// edit inserts the text, so such a key is typed text too (as in QInputControl::isAcceptableInput).
bool isTypedText(const QKeyEvent *event) {
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first.category() != QChar::Other_Format) {
        const auto mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
        if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
            return false;
        if (!first.isPrint() && first.category() != QChar::Other_PrivateUse &&
            !first.isHighSurrogate())
            return false;
    }
    return !isStandardShortcut(event);
}

// The key filter shared by the seven fields. Returns true when the key has been dealt with here
// (discarded, or replaced by the decimal mark); false lets the field handle the key itself.
bool filterKey(QLineEdit *field, QKeyEvent *event, const QString &mark, KeyField kind) {
    const QString text = event->text();
    const QString filtered = filterTyped(text, mark, kind);
    // Digits and control keys go through unchanged, whatever else the key may be.
    if (filtered == text || !isTypedText(event))
        return false;
    // insert() replaces a selection and records one undo step, just as typing does.
    if (!filtered.isEmpty())
        field->insert(filtered);
    return true;
}

// Return and Enter press a focused push button or flag as Space does; Qt leaves them to a dialog's
// default button, and this window is no dialog. Option buttons keep the keys they have.
bool pressOnReturn(QObject *watched, const QKeyEvent *event) {
    auto *button = qobject_cast<QAbstractButton *>(watched);
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (button == nullptr || button->isCheckable() || mods != Qt::NoModifier ||
        (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter))
        return false;
    button->click();
    return true;
}

} // namespace

void frmMain::connectControls() {
    for (int i = 0; i < kFieldCount; ++i) {
        connect(txtDati[i], &QLineEdit::textChanged, this, [this, i] { txtDati_Change(i); });
        txtDati[i]->installEventFilter(this);
    }
    connect(txtRatio, &QLineEdit::textChanged, this, [this] { txtRatio_Change(); });
    connect(cmdDefaultRatio, &QPushButton::clicked, this, [this] { cmdDefaultRatio_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    // The platform's Quit keys close the window as "Close" does, and Ctrl+Q everywhere, also where
    // the platform names none. Escape is left alone: one stray key must not end the program.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (const QKeySequence ctrlQ(Qt::CTRL | Qt::Key_Q); !quitKeys.contains(ctrlQ))
        quitKeys.append(ctrlQ);
    auto *quit = new QShortcut(this);
    quit->setKeys(quitKeys);
    connect(quit, &QShortcut::activated, this, [this] { cmdClose_Click(); });

    // F6 moves from the field being edited to its lock options and back, as it moves between the
    // parts of a window in other programs. Tab alone never brings the resolution field's pair:
    // either way from that field it enters another field, which shows its own pair.
    auto *toOptions = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(toOptions, &QShortcut::activated, this, [this] { switchLockFocus(); });

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

    // Every control that can take the focus is watched, so that a move to a button or an option
    // counts as a real change of the focused control just as a move to a field does.
    for (QWidget *control : findChildren<QWidget *>()) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
}

void frmMain::Form_Load() {
    decimalSep_ = DecimalSepFromMark(toUtf8(QLocale().decimalPoint()));
    decimalSepQ_ = QString::fromStdString(decimalSep_);

    cmdDefaultRatio_Click();

    setWindowTitle(windowTitle() + QStringLiteral(" v") + QString::number(kVersionMajor) +
                   QLatin1Char('.') + QString::number(kVersionMinor) + QStringLiteral(" rev.") +
                   QString::number(kVersionRevision));

    lastField_ = -1;

    imgLang_Click(0);
}

int frmMain::fieldIndex(const QObject *widget) const {
    for (int i = 0; i < kFieldCount; ++i) {
        if (txtDati[i] == widget)
            return i;
    }
    return -1;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event) {
    const int field = fieldIndex(watched);
    const bool textField = field >= 0 || watched == txtRatio;
    switch (event->type()) {
    case QEvent::KeyPress:
        clickEntered_ = nullptr;
        if (field >= 0)
            return txtDati_KeyPress(field, static_cast<QKeyEvent *>(event));
        if (watched == txtRatio)
            return txtRatio_KeyPress(static_cast<QKeyEvent *>(event));
        return pressOnReturn(watched, static_cast<QKeyEvent *>(event));
    case QEvent::InputMethod:
        // Text committed by an input method is typed text as well.
        if (textField) {
            auto *im = static_cast<QInputMethodEvent *>(event);
            if (!im->commitString().isEmpty())
                im->setCommitString(filterTyped(im->commitString(), decimalSepQ_,
                                                field >= 0 ? KeyField::Data : KeyField::Ratio),
                                    im->replacementStart(), im->replacementLength());
        }
        break;
    case QEvent::FocusIn:
        controlFocusIn(static_cast<QWidget *>(watched),
                       static_cast<QFocusEvent *>(event)->reason());
        break;
    case QEvent::FocusOut:
        controlFocusOut(static_cast<QWidget *>(watched));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (field >= 0)
            return keepClickSelection(watched, static_cast<QMouseEvent *>(event));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Qt sends focus events that are no move of the window's focus: a context menu opening and
// closing, the window losing and regaining activation. Only a change of the focused control runs
// the entry and exit handlers, so a paste from the context menu or a visit to another program
// neither recalculates nor reselects a field.
void frmMain::controlFocusIn(QWidget *widget, Qt::FocusReason reason) {
    if (widget == focusedControl_)
        return;
    // A move made while the window was inactive brings no focus-out: the control that had the
    // focus is left now, before the new one is entered.
    if (QWidget *left = std::exchange(focusedControl_, nullptr))
        leaveControl(left);
    focusedControl_ = widget;
    const int field = fieldIndex(widget);
    if (field < 0)
        return;
    txtDati_GotFocus(field);
    clickEntered_ = reason == Qt::MouseFocusReason ? widget : nullptr;
}

void frmMain::controlFocusOut(QWidget *widget) {
    // In a real move the window's focused control is already the new one.
    if (widget != focusedControl_ || activeControl() == widget)
        return;
    focusedControl_ = nullptr;
    clickEntered_ = nullptr;
    leaveControl(widget);
}

void frmMain::leaveControl(QWidget *widget) {
    if (const int field = fieldIndex(widget); field >= 0)
        txtDati_LostFocus(field);
    else if (widget == txtRatio)
        txtRatio_LostFocus();
}

// The mouse press that gives a field the focus would move the cursor and drop the selection that
// the entry has just made; it is swallowed, with the small movements of the same click.
bool frmMain::keepClickSelection(QObject *watched, QMouseEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == clickEntered_ && event->button() == Qt::LeftButton) {
            clickEntered_ = nullptr;
            clickHeld_ = true;
            clickPos_ = event->position().toPoint();
            return true;
        }
        clickEntered_ = nullptr;
        clickHeld_ = false;
        return false;
    case QEvent::MouseMove:
        if (clickHeld_) {
            if ((event->position().toPoint() - clickPos_).manhattanLength() <
                QApplication::startDragDistance())
                return true;
            clickHeld_ = false; // a real drag selects as usual
        }
        return false;
    case QEvent::MouseButtonRelease:
        clickHeld_ = false;
        return false;
    default:
        clickEntered_ = nullptr;
        clickHeld_ = false;
        return false;
    }
}

bool frmMain::txtDati_KeyPress(int i, QKeyEvent *event) {
    return filterKey(txtDati[i], event, decimalSepQ_, KeyField::Data);
}

void frmMain::txtDati_Change(int i) {
    if (activeControl() == txtDati[i])
        Recalc(i);
}

void frmMain::txtDati_GotFocus(int i) {
    QLineEdit *field = txtDati[i];
    lastField_ = static_cast<short>(i);
    fieldTag_[i] = QString::fromStdString(CleanNumber(toUtf8(field->text()), decimalSep_));
    field->setSelection(0, static_cast<int>(field->text().size()));
    fraP->setVisible(i < 3);
    fraD->setVisible(i == 3);
    fraR->setVisible(i > 3);
}

void frmMain::txtDati_LostFocus(int i) {
    QLineEdit *field = txtDati[i];
    QString s = QString::fromStdString(CleanNumber(toUtf8(field->text()), decimalSep_));
    if (s.isEmpty())
        s = fieldTag_[i];
    field->setText(s);
    Recalc(i);
}

bool frmMain::txtRatio_KeyPress(QKeyEvent *event) {
    return filterKey(txtRatio, event, decimalSepQ_, KeyField::Ratio);
}

void frmMain::txtRatio_Change() {
    if (activeControl() != txtRatio)
        return;
    const OptionalNumber v = ReadRatio(toUtf8(txtRatio->text().trimmed()), decimalSep_);
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
    OptionalNumber v = ReadRatio(toUtf8(txtRatio->text().trimmed()), decimalSep_);
    if (!v || !(*v > 0.0))
        v = ratio_;
    txtRatio->setText(QString::fromStdString(NumberText(*v, decimalSep_)));
}

void frmMain::cmdDefaultRatio_Click() {
    ratio_ = 4.0 / 3.0;
    txtRatio->setText(QString::fromStdString(n2s(ratio_, 13, decimalSep_).value_or(std::string())));
}

void frmMain::switchLockFocus() {
    const std::array<std::pair<QFrame *, std::array<QRadioButton *, 2> *>, 3> frames{{
        {fraP, &opzP},
        {fraD, &opzD},
        {fraR, &opzR},
    }};
    for (const auto &[frame, pair] : frames) {
        if (frame->isHidden())
            continue;
        if (pair->at(0)->hasFocus() || pair->at(1)->hasFocus()) {
            if (lastField_ >= 0)
                txtDati[lastField_]->setFocus(Qt::ShortcutFocusReason);
        } else {
            pair->at(pair->at(0)->isChecked() ? 0 : 1)->setFocus(Qt::ShortcutFocusReason);
        }
        return;
    }
}

void frmMain::cmdClose_Click() {
    close();
}

void frmMain::Recalc(int index) {
    std::array<std::string, kFieldCount> texts;
    FieldTexts views;
    for (int k = 0; k < kFieldCount; ++k) {
        texts[k] = toUtf8(txtDati[k]->text());
        views[k] = texts[k];
    }
    // Each write may run one nested recalculation (a write into the field that has just received
    // the focus); the writes computed here still go on afterwards, in order.
    const std::vector<FieldWrite> writes = RecalcWrites(index, views, ratio_, lockChoices(), decimalSep_);
    for (const FieldWrite &write : writes)
        txtDati[write.field]->setText(QString::fromStdString(write.text));
}

QWidget *frmMain::activeControl() const {
    return focusWidget();
}

LockChoices frmMain::lockChoices() const {
    LockChoices locks;
    locks.opzP = {opzP[0]->isChecked(), opzP[1]->isChecked()};
    locks.opzD = {opzD[0]->isChecked(), opzD[1]->isChecked()};
    locks.opzR = {opzR[0]->isChecked(), opzR[1]->isChecked()};
    return locks;
}

} // namespace quadrel
