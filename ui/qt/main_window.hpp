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
// QApplication::focusChanged, only when the window's focused control really changes. Files dropped
// anywhere on the window, on a field too, reach WindowBehaviour::filesGiven.
//
// Construction is split in four steps: create the controls, place them, connect them, then start
// the behaviour (decimal mark, default ratio, lock choices, title, Italian captions). Every step
// works from the table of controls; a control's widget is found by its row.

#include "ui/common/behaviour.hpp"

#include <QList>
#include <QMenu>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

#include <array>

namespace quadrel {

class NumberField;

class MainWindow : public QWidget, private WindowView {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const WindowBehaviour &behaviour() const { return behaviour_; }
    // The widget of `control` (ui/common/layout.hpp), as the window, its tests and its benchmark
    // find it; nullptr for a control the window does not have.
    QWidget *widget(const Control &control) const;
    // Files given to the window, dropped or named on the command line, as the behaviour takes them.
    void openFiles(const QList<QUrl> &files);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    QWidget *create(const Control &control, QWidget *parent);
    void addMenuEntries(const Control &field, QMenu &menu);
    void placeControls();
    void connectControls();
    void focusMoved(QWidget *now);
    NumberField *field(const Control &field) const;
    void translateQtTexts(std::string_view code); // Qt's own texts in language `code`

    // WindowView
    std::string text(const Control &field) const override;
    void write(const Control &field, const std::string &text) override;
    void selectAll(const Control &field) override;
    void showLockPair(LockPair pair) override;
    void setLockChecked(LockPair pair, int option) override;
    void focus(const Control &control) override;
    void setTitle(const std::string &title) override;
    void setCaptions(const lang::Captions &captions) override;
    void setFlagChecked(int flag, bool checked) override;
    void setPlaceholder(const Control &field, const std::string &text) override;
    void setToolTip(const Control &field, const std::string &text) override;
    void enterText(const Control &field, const std::string &text) override;
    void copyToClipboard(const std::string &text) override;
    void showMessage(const std::string &text) override;
    std::optional<GivenFile> askForPicture() override;

    std::array<QWidget *, layout::kControls.size()> widgets_{}; // by row of the table
    QTranslator qtItalian_;                                     // Qt's own texts in Italian
    WindowBehaviour behaviour_{*this};
};

} // namespace quadrel
