#include "main_window.hpp"

#include "accessibility.hpp"
#include "image_box.hpp"
#include "number_field.hpp"
#include "twips.hpp"
#include "ui/common/flags.hpp"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace quadrel {

namespace {

// The layout's widths and label heights assume an 8-point dialog font in which "Risoluzione di
// stampa [DPI]" is about 129 pixels wide. Liberation Sans 8 pt makes it 135 pixels, which still
// ends before the data fields at 148; the toolkit's default (DejaVu Sans 9 pt) does not.
constexpr const char *kFontFamily = "Liberation Sans";
constexpr int kFontPoints = 8;

// Flag `flag`'s picture for an image box of `size` device pixels.
template <int flag> QImage FlagImage(QSize size) {
    size = size.expandedTo({1, 1});
    const std::vector<std::uint32_t> picture =
        flags::FlagPicture(flag, size.width(), size.height());
    // Format_RGB32 is 0xffRRGGBB a pixel, the picture's 0xRRGGBB with the alpha byte added: each
    // row is copied whole (setPixel, a function call and checks a pixel, cost more than the row).
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(image.scanLine(y));
        const std::uint32_t *from = picture.data() + std::size_t(y * size.width());
        std::transform(from, from + size.width(), row,
                       [](std::uint32_t rgb) { return 0xFF000000U | rgb; });
    }
    return image;
}

// A lock option. Its pair stands one above the other, so the arrow keys choose within it Left and
// Right as Up and Down do (Qt moves only towards a button that lies in the arrow's direction).
class LockOption : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void keyPressEvent(QKeyEvent *event) override {
        const int key = event->key() == Qt::Key_Left    ? Qt::Key_Up
                        : event->key() == Qt::Key_Right ? Qt::Key_Down
                                                        : event->key();
        QKeyEvent arrow(event->type(), key, event->modifiers(), event->text());
        QRadioButton::keyPressEvent(&arrow);
        event->setAccepted(arrow.isAccepted());
    }
};

// The keys of the program's commands, shown in the menu as they work everywhere in the window.
QKeySequence KeyOf(Command command) {
    switch (command) {
    case Command::OpenPicture:
        return QKeySequence(Qt::CTRL | Qt::Key_O);
    case Command::Turn:
        return QKeySequence(Qt::CTRL | Qt::Key_R);
    case Command::CopyFigures:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    default:
        return {};
    }
}

// A file as the behaviour takes it: a local file by its path and its name, anything else by its
// address.
GivenFile GivenFileOf(const QUrl &url) {
    if (!url.isLocalFile())
        return {std::nullopt, url.toDisplayString().toStdString()};
    const QString file = QDir::cleanPath(url.toLocalFile()); // a folder's "Photos/" too
    const QString name = QFileInfo(file).fileName();
    return {std::filesystem::path(QFile::encodeName(file).toStdString()),
            (name.isEmpty() ? file : name).toStdString()};
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent) {
    createControls();
    placeControls();
    connectControls();
    behaviour_.start(QLocale().decimalPoint().toStdString());
}

MainWindow::~MainWindow() {
    // The children go after this destructor, and with them the focus: no handler runs for that.
    disconnect(qApp, nullptr, this, nullptr);
}

QWidget *MainWindow::widget(const Control &control) const {
    const std::size_t row = layout::RowOf(control);
    return row < widgets_.size() ? widgets_[row] : nullptr;
}

NumberField *MainWindow::field(const Control &field) const {
    return static_cast<NumberField *>(widget(field));
}

void MainWindow::createControls() {
    installAccessibility();
    setObjectName(QStringLiteral("mainWindow"));
    setProperty("accessibleRole", QAccessible::Window);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(QFont(QString::fromLatin1(kFontFamily), kFontPoints));
    // Every size the desktop icons come in, for whatever size the window manager shows. Naming
    // the format keeps Qt from loading every image plugin at start-up just to probe the files.
    QIcon icon;
    for (const int side : {16, 32, 48, 64, 128}) {
        QImageReader reader(QStringLiteral(":/images/camera-%1.png").arg(side), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    setWindowIcon(icon);
    setAcceptDrops(true);

    // In the table's order, so that a frame exists before its options and a label before its
    // field. Each control carries its name, for tests and accessibility tools.
    for (std::size_t row = 0; row < widgets_.size(); ++row) {
        const Control &control = layout::kControls[row].control;
        const std::optional<Control> container = layout::ContainerOf(control);
        widgets_[row] = create(control, container ? widget(*container) : this);
        widgets_[row]->setObjectName(QString::fromStdString(layout::Name(control)));
    }
}

QWidget *MainWindow::create(const Control &control, QWidget *parent) {
    const auto filter = [this, control](char32_t c) { return behaviour_.typed(control, c); };
    const auto entries = [this, control](QMenu &menu) { addMenuEntries(control, menu); };
    switch (control.role) {
    case Role::Field:
    case Role::RatioField:
        return new NumberField(filter, entries, parent);
    case Role::FieldLabel:
    case Role::RatioLabel:
    case Role::CreditLabel:
        return new QLabel(parent);
    case Role::DefaultRatioButton:
    case Role::CloseButton: {
        auto *button = new QPushButton(parent);
        button->setAutoDefault(true); // Return and Enter press it as Space does
        return button;
    }
    case Role::Flag:
        return new ImageBox(control.index == 0 ? FlagImage<0> : FlagImage<1>, parent);
    case Role::LockOption:
        return new LockOption(parent);
    case Role::LockFrame: {
        // A frame is the parent of its option buttons and so makes them one exclusive group of
        // their own; it only groups, it draws nothing and starts hidden.
        auto *frame = new QWidget(parent);
        frame->setProperty("accessibleRole", QAccessible::Grouping);
        frame->hide();
        return frame;
    }
    case Role::Line: {
        // A line is its one-pixel-thick box filled with the text colour, which covers at least one
        // device pixel at every screen scale (a 1-pixel pen down a 1-pixel box vanishes at 1.5x).
        auto *line = new QWidget(parent);
        line->setBackgroundRole(QPalette::WindowText);
        line->setAutoFillBackground(true);
        line->setProperty("accessibleRole", QAccessible::Separator);
        return line;
    }
    case Role::OptionsHeading: {
        // Created after the window's line, so it lies above it and its box interrupts the line.
        auto *heading = new QLabel(parent);
        heading->setFrameStyle(QFrame::Box | QFrame::Plain);
        heading->setIndent(0);
        heading->setAlignment(Qt::AlignCenter);
        heading->setAutoFillBackground(true);
        return heading;
    }
    }
    return nullptr;
}

void MainWindow::addMenuEntries(const Control &field, QMenu &menu) {
    QMenu *sizes = nullptr;
    for (const MenuEntry &entry : MenuOf(field, behaviour_.captions())) {
        QMenu *into = &menu;
        if (entry.command == Command::PrintSize) {
            if (sizes == nullptr)
                sizes = menu.addMenu(QString::fromUtf8(behaviour_.captions().printSizesText));
            into = sizes;
        }
        const QString text = QString::fromUtf8(entry.text.data(), qsizetype(entry.text.size()));
        QAction *action = into->addAction(
            text, this, [this, field, entry] { behaviour_.menuChosen(field, entry); });
        action->setShortcut(KeyOf(entry.command));
    }
}

void MainWindow::placeControls() {
    setFixedSize(twips::toPixels(layout::kClientArea).size());
    QWidget *previous = nullptr;
    for (std::size_t row = 0; row < widgets_.size(); ++row) {
        const auto &[control, box] = layout::kControls[row];
        QWidget *w = widgets_[row];
        if (auto *image = qobject_cast<ImageBox *>(w))
            image->setTwipsBox(box);
        else
            w->setGeometry(twips::toPixels(box));
        if (control.role == Role::Field || control.role == Role::RatioField)
            static_cast<QLabel *>(widgets_[row - 1])->setBuddy(w); // the label just before it
        // The table lists the controls that take the focus in the Tab order.
        if (control.takesFocus()) {
            if (previous != nullptr)
                setTabOrder(previous, w);
            previous = w;
        }
    }

    // Centred on the screen when first shown.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
}
void MainWindow::connectControls() {
    for (std::size_t row = 0; row < widgets_.size(); ++row) {
        const Control &control = layout::kControls[row].control;
        QWidget *w = widgets_[row];
        switch (control.role) {
        case Role::Field:
        case Role::RatioField:
            connect(field(control), &QLineEdit::textEdited, this,
                    [this, control] { behaviour_.edited(control); });
            connect(field(control), &NumberField::filesDropped, this, &MainWindow::openFiles);
            break;
        case Role::DefaultRatioButton:
            connect(static_cast<QPushButton *>(w), &QPushButton::clicked, this,
                    [this] { behaviour_.defaultRatioPressed(); });
            break;
        case Role::CloseButton:
            connect(static_cast<QPushButton *>(w), &QPushButton::clicked, this, &QWidget::close);
            break;
        case Role::Flag:
            connect(static_cast<ImageBox *>(w), &ImageBox::clicked, this,
                    [this, flag = control.index] { behaviour_.flagPressed(flag); });
            break;
        case Role::LockOption:
            // A click, Space, an arrow key or a screen reader's press; the program's own check
            // (setLockChecked) is no click.
            connect(static_cast<QRadioButton *>(w), &QRadioButton::clicked, this,
                    [this, control] { behaviour_.lockChosen(*control.pair, control.index); });
            break;
        default:
            break;
        }
    }
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
    // parts of a window in other programs.
    new QShortcut(QKeySequence(Qt::Key_F6), this, this, [this] { behaviour_.switchLockFocus(); });
    new QShortcut(KeyOf(Command::OpenPicture), this, this, [this] { behaviour_.choosePicture(); });
    new QShortcut(KeyOf(Command::Turn), this, this, [this] { behaviour_.turn(); });
    new QShortcut(KeyOf(Command::CopyFigures), this, this, [this] { behaviour_.copyFigures(); });
}

// Qt reports focus changes that are no move between the window's controls: the window losing and
// regaining activation, a popup menu. The behaviour passes over a report of the control that
// already has the focus, so a paste from the context menu or a visit to another program changes
// nothing. A move made while the window was inactive shows when it comes back.
void MainWindow::focusMoved(QWidget *now) {
    if (now == nullptr || now->window() != this)
        return;
    // Qt tells screen readers of the move once this is done; what the behaviour writes and selects
    // meanwhile would reach them first, and they would take the new control for announced.
    const Unreported unreported;
    const auto row = std::ranges::find(widgets_, now) - widgets_.begin();
    if (row < std::ssize(widgets_))
        behaviour_.focusChanged(layout::kControls[std::size_t(row)].control);
}

std::string MainWindow::text(const Control &control) const {
    return field(control)->text().toStdString();
}

void MainWindow::write(const Control &control, const std::string &text) {
    field(control)->write(QString::fromStdString(text));
}

void MainWindow::selectAll(const Control &control) {
    field(control)->selectAll();
}

void MainWindow::showLockPair(LockPair pair) {
    for (const LockPair p : kLockPairs)
        widget(Control::Frame(p))->setVisible(p == pair);
}

void MainWindow::setLockChecked(LockPair pair, int option) {
    // An option pair is one Tab stop, at its chosen option, as on other desktop programs; the
    // arrow keys move the choice within the pair.
    for (const int i : {0, 1}) {
        auto *button = static_cast<QRadioButton *>(widget(Control::Lock(pair, i)));
        button->setChecked(i == option);
        button->setFocusPolicy(i == option ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void MainWindow::focus(const Control &control) {
    widget(control)->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::setTitle(const std::string &title) {
    setWindowTitle(QString::fromStdString(title));
}

void MainWindow::setCaptions(const lang::Captions &captions) {
    for (std::size_t row = 0; row < widgets_.size(); ++row) {
        const Control &control = layout::kControls[row].control;
        QWidget *w = widgets_[row];
        const auto [text, hint] = TextOf(control, captions);
        const QString caption = QString::fromUtf8(text.data(), qsizetype(text.size()));
        if (auto *label = qobject_cast<QLabel *>(w)) {
            label->setText(caption);
            label->adjustSize(); // a label sizes itself to its text; its left and top stay
        } else if (auto *button = qobject_cast<QAbstractButton *>(w);
                   button && control.role != Role::Flag) {
            button->setText(caption);
        } else {
            w->setAccessibleName(caption); // a field, a flag, a frame
        }
        // What a screen reader says beyond the caption, also shown as the tooltip.
        if (!hint.empty()) {
            w->setAccessibleDescription(QString::fromUtf8(hint.data(), qsizetype(hint.size())));
            w->setToolTip(w->accessibleDescription());
        }
    }
    translateQtTexts(captions.code);
}

void MainWindow::setPlaceholder(const Control &control, const std::string &text) {
    field(control)->setPlaceholderText(QString::fromStdString(text));
}

void MainWindow::setToolTip(const Control &control, const std::string &text) {
    field(control)->setToolTip(QString::fromStdString(text));
}

void MainWindow::enterText(const Control &control, const std::string &text) {
    NumberField *f = field(control);
    f->setFocus(Qt::OtherFocusReason);
    f->selectAll();
    f->insert(QString::fromStdString(text)); // an edit as typing is, which Ctrl+Z takes back
}

void MainWindow::copyToClipboard(const std::string &text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void MainWindow::showMessage(const std::string &text) {
    // Shown once the event being handled has returned: a drop's source (a file manager) waits
    // until the drop ends, and the message must not keep it waiting.
    QTimer::singleShot(0, this, [this, message = QString::fromStdString(text)] {
        QMessageBox box(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
        box.exec();
    });
}

std::optional<GivenFile> MainWindow::askForPicture() {
    const lang::Captions &captions = behaviour_.captions();
    QStringList patterns;
    for (const std::string_view pattern : kPicturePatterns)
        patterns << QString::fromLatin1(pattern.data(), qsizetype(pattern.size()));
    const QString filters = QString::fromUtf8(captions.pictureFilesText) + " (" +
                            patterns.join(u' ') + ");;" + QString::fromUtf8(captions.allFilesText) +
                            " (*)";
    const QString file = QFileDialog::getOpenFileName(
        this, QString::fromUtf8(captions.openPictureTitle), QString(), filters);
    if (file.isEmpty())
        return std::nullopt;
    return GivenFileOf(QUrl::fromLocalFile(file));
}

void MainWindow::openFiles(const QList<QUrl> &files) {
    std::vector<GivenFile> given;
    for (const QUrl &url : files)
        given.push_back(GivenFileOf(url));
    behaviour_.filesGiven(given);
}

// Files, or addresses, dropped on any control; a field takes them as well (NumberField), where
// text dropped goes in as text.
void MainWindow::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event) {
    event->acceptProposedAction();
    openFiles(event->mimeData()->urls());
}

void MainWindow::translateQtTexts(std::string_view code) {
    // Loaded at the first switch, which start-up makes: the catalogue is mapped, not read, and
    // costs well under a millisecond. Without it (Qt's translations not installed) Qt's texts stay
    // in English.
    if (qtItalian_.isEmpty())
        (void)qtItalian_.load(QStringLiteral("qtbase_it"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (code == lang::kItalian)
        QCoreApplication::installTranslator(&qtItalian_);
    else
        QCoreApplication::removeTranslator(&qtItalian_);
}

void MainWindow::setFlagChecked(int flag, bool checked) {
    auto *box = static_cast<ImageBox *>(widget(Control::Flag(flag)));
    box->setTwipsBox(layout::Highlighted(box->box(), checked, twips::twipsPerPixel()));
    box->setChecked(checked);
}

} // namespace quadrel
