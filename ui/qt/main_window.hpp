#pragma once

// Quadrel's one window on Qt.
//
// The window is humble: it creates its controls, places them from the twips layout
// (ui/common/layout.hpp), turns Qt's signals into the calls of WindowBehaviour
// (ui/common/behaviour.hpp), which decides everything else, and answers the behaviour's
// WindowView requests. How a keystroke flows: a key typed into a field reaches the field
// (NumberField), which asks the behaviour what each typed character puts in; when the user's edit
// changes the text, QLineEdit::textEdited reaches WindowBehaviour::edited, which recalculates the
// other fields through the core (RecalcWrites) and writes them back through write(), which
// reports no edit. Focus moves reach WindowBehaviour::focusChanged from
// QApplication::focusChanged, only when the window's focused control really changes.
//
// Construction is split in four steps: create the controls, place them, connect them, then start
// the behaviour (decimal mark, default ratio, title, Italian captions).

#include "ui/common/behaviour.hpp"

#include <QTranslator>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace quadrel {

class ImageBox;
class NumberField;

class MainWindow : public QWidget, private WindowView {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const WindowBehaviour &behaviour() const { return behaviour_; }

private:
    void createControls();
    void placeControls();
    void connectControls();
    void focusMoved(QWidget *now);
    Control controlOf(const QWidget *widget) const;
    QWidget *widgetOf(Control control) const;
    void translateQtTexts(std::string_view code); // Qt's own texts in language `code`

    // WindowView
    std::string text(int field) const override;
    void write(int field, const std::string &text) override;
    void selectAll(int field) override;
    void showLockPair(LockPair pair) override;
    void focus(Control control) override;
    void setTitle(const std::string &title) override;
    void setCaptions(const lang::Captions &captions) override;
    void setFlagChecked(int flag, bool checked) override;

    // The data fields and, at kRatioField, the ratio field.
    std::array<NumberField *, kFieldCount + 1> fields_{};
    std::array<QLabel *, kFieldCount> fieldLabels_{};
    std::array<ImageBox *, 2> flags_{};
    std::array<QWidget *, 3> lockFrames_{};                      // by LockPair
    std::array<std::array<QRadioButton *, 2>, 3> lockOptions_{}; // by LockPair, then option
    std::array<QWidget *, 5> lines_{};
    QLabel *optionsHeading_ = nullptr;
    QLabel *ratioLabel_ = nullptr;
    QLabel *creditLabel_ = nullptr;
    QPushButton *defaultRatioButton_ = nullptr;
    QPushButton *closeButton_ = nullptr;

    QTranslator qtItalian_; // Qt's own texts in Italian
    WindowBehaviour behaviour_{*this};
};

} // namespace quadrel
