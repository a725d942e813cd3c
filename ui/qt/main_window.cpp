#include "main_window.hpp"

#include "accessibility.hpp"
#include "controls.hpp"
#include "image_box.hpp"
#include "number_field.hpp"
#include "twips.hpp"
#include "ui/common/flags.hpp"

#include <QAccessible>
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

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
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xFF000000U | picture[std::size_t(y * size.width() + x)]);
    }
    return image;
}

constexpr std::array<LockPair, 3> kPairs{LockPair::Pixels, LockPair::Resolution,
                                         LockPair::PrintSize};
constexpr std::array<const char *, 3> kFrameNames{"pixelLocks", "resolutionLocks",
                                                  "printSizeLocks"};

// Gives a control its layout name as object name; a control of a numbered set also carries its
// index, so that findControl, tests and accessibility tools find each one by name and index.
template <class Widget> Widget *named(Widget *widget, std::string_view name, int index = -1) {
    widget->setObjectName(QString::fromLatin1(name.data(), qsizetype(name.size())));
    if (index >= 0)
        widget->setProperty("index", index);
    return widget;
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

// A label sizes itself to its text; its left and top stay.
void setCaption(QLabel *label, const char *text) {
    label->setText(QString::fromUtf8(text));
    label->adjustSize();
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

void MainWindow::createControls() {
    installAccessibility();
    named(this, "mainWindow");
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

    const std::array<ImageBox::Drawing, 2> flagPictures{FlagImage<0>, FlagImage<1>};
    for (int i = 0; i < 2; ++i) {
        flags_[i] = named(new ImageBox(flagPictures[i], this), "flag", i);
        // Named in its own language, so that everyone finds their language in any language.
        flags_[i]->setAccessibleName(QString::fromUtf8(lang::kCaptions[i].languageName));
        flags_[i]->setToolTip(flags_[i]->accessibleName());
    }

    const auto filter = [this](int field) {
        return [this, field](char32_t c) { return behaviour_.typed(field, c); };
    };
    for (int i = 0; i < kFieldCount; ++i) {
        fieldLabels_[i] = named(new QLabel(this), "fieldLabel", i);
        fields_[i] = named(new NumberField(filter(i), this), "field", i);
        fieldLabels_[i]->setBuddy(fields_[i]);
    }

    // Each frame is the parent of its option buttons and so makes them one exclusive group of
    // their own; a frame only groups, it draws nothing and starts hidden.
    for (const int p : {2, 1, 0}) {
        lockFrames_[p] = named(new QWidget(this), kFrameNames[p]);
        lockFrames_[p]->setProperty("accessibleRole", QAccessible::Grouping);
        lockFrames_[p]->hide();
        for (int i = 0; i < 2; ++i)
            lockOptions_[p][i] =
                named(new LockOption(lockFrames_[p]), layout::kLockOptionNames[p], i);
        lockOptions_[p][0]->setChecked(true);
    }
    // A line is its one-pixel-thick box filled with the text colour, which covers at least one
    // device pixel at every screen scale (a 1-pixel pen down a 1-pixel box vanishes at 1.5x).
    const std::array<QWidget *, 5> lineParents{lockFrames_[2], lockFrames_[0], lockFrames_[1],
                                               lockFrames_[1], this};
    for (int i = 0; i < 5; ++i) {
        lines_[i] = named(new QWidget(lineParents[i]), "line", i);
        lines_[i]->setBackgroundRole(QPalette::WindowText);
        lines_[i]->setAutoFillBackground(true);
        lines_[i]->setProperty("accessibleRole", QAccessible::Separator);
    }

    // Created after the rule, so it lies above it and its box interrupts the line.
    optionsHeading_ = named(new QLabel(this), "optionsHeading");
    optionsHeading_->setFrameStyle(QFrame::Box | QFrame::Plain);
    optionsHeading_->setIndent(0);
    optionsHeading_->setAlignment(Qt::AlignCenter);
    optionsHeading_->setAutoFillBackground(true);

    ratioLabel_ = named(new QLabel(this), "ratioLabel");
    fields_[kRatioField] = named(new NumberField(filter(kRatioField), this), "ratioField");
    ratioLabel_->setBuddy(fields_[kRatioField]);
    defaultRatioButton_ = named(new QPushButton(this), "defaultRatioButton");
    creditLabel_ = named(new QLabel(this), "creditLabel");
    closeButton_ = named(new QPushButton(this), "closeButton");
    // Return and Enter press a focused push button as Space does.
    defaultRatioButton_->setAutoDefault(true);
    closeButton_->setAutoDefault(true);
}

void MainWindow::placeControls() {
    setFixedSize(twips::toPixels(layout::kClientArea).size());
    for (const layout::Place &p : layout::kPlaces) {
        QWidget *widget = findControl(this, p.name, p.index);
        if (auto *image = qobject_cast<ImageBox *>(widget))
            image->setTwipsBox(p.box);
        else
            widget->setGeometry(twips::toPixels(p.box));
    }
    optionsHeading_->raise();

    for (std::size_t k = 1; k < layout::kTabOrder.size(); ++k) {
        const auto &[before, i] = layout::kTabOrder[k - 1];
        const auto &[after, j] = layout::kTabOrder[k];
        setTabOrder(findControl(this, before, i), findControl(this, after, j));
    }

    // Centred on the screen when first shown.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
}

void MainWindow::connectControls() {
    for (int i = 0; i <= kFieldCount; ++i)
        connect(fields_[i], &QLineEdit::textEdited, this, [this, i] { behaviour_.edited(i); });
    connect(defaultRatioButton_, &QPushButton::clicked, this,
            [this] { behaviour_.defaultRatioPressed(); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    for (int i = 0; i < 2; ++i)
        connect(flags_[i], &ImageBox::clicked, this, [this, i] { behaviour_.flagPressed(i); });
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

    // An option pair is one Tab stop, at its chosen option, as on other desktop programs; the
    // arrow keys move the choice within the pair.
    for (const LockPair pair : kPairs) {
        for (int i = 0; i < 2; ++i) {
            QRadioButton *option = lockOptions_[int(pair)][i];
            const auto chosen = [this, option, pair, i](bool on) {
                option->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
                if (on)
                    behaviour_.lockChosen(pair, i);
            };
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
            connect(option, &QRadioButton::toggled, this, chosen);
        }
    }
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
    behaviour_.focusChanged(controlOf(now));
}

Control MainWindow::controlOf(const QWidget *widget) const {
    using enum Control::Kind;
    for (int i = 0; i <= kFieldCount; ++i) {
        if (widget == fields_[i])
            return Control::Field(i);
    }
    for (int i = 0; i < 2; ++i) {
        if (widget == flags_[i])
            return {Flag, i};
    }
    for (const LockPair pair : kPairs) {
        for (int i = 0; i < 2; ++i) {
            if (widget == lockOptions_[int(pair)][i])
                return Control::Lock(pair, i);
        }
    }
    return {widget == defaultRatioButton_ ? DefaultRatioButton
            : widget == closeButton_      ? CloseButton
                                          : None};
}

QWidget *MainWindow::widgetOf(Control control) const {
    switch (control.kind) {
    case Control::Kind::Field:
        return fields_.at(control.index);
    case Control::Kind::Flag:
        return flags_.at(control.index);
    case Control::Kind::LockOption:
        return lockOptions_.at(int(control.pair)).at(control.index);
    case Control::Kind::DefaultRatioButton:
        return defaultRatioButton_;
    case Control::Kind::CloseButton:
        return closeButton_;
    default:
        return nullptr;
    }
}

std::string MainWindow::text(int field) const {
    return fields_.at(field)->text().toStdString();
}

void MainWindow::write(int field, const std::string &text) {
    fields_.at(field)->write(QString::fromStdString(text));
}

void MainWindow::selectAll(int field) {
    fields_.at(field)->selectAll();
}

void MainWindow::showLockPair(LockPair pair) {
    for (const LockPair p : kPairs)
        lockFrames_[int(p)]->setVisible(p == pair);
}

void MainWindow::focus(Control control) {
    if (QWidget *widget = widgetOf(control))
        widget->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::setTitle(const std::string &title) {
    setWindowTitle(QString::fromStdString(title));
}

void MainWindow::setCaptions(const lang::Captions &c) {
    for (int k = 0; k < kFieldCount; ++k) {
        setCaption(fieldLabels_[k], c.labelText[k]);
        fields_[k]->setAccessibleName(fieldLabels_[k]->text());
    }
    for (const auto &pair : lockOptions_) {
        for (QRadioButton *option : pair)
            option->setText(QString::fromUtf8(c.lockText));
    }
    setCaption(optionsHeading_, (' ' + std::string(c.optionsText) + ' ').c_str());
    setCaption(ratioLabel_, c.ratioText);
    fields_[kRatioField]->setAccessibleName(ratioLabel_->text());
    defaultRatioButton_->setText(QString::fromUtf8(c.defaultText));
    setCaption(creditLabel_, c.creditText);
    closeButton_->setText(QString::fromUtf8(c.closeText));

    // What a screen reader says beyond the captions, also shown as tooltips: what the default
    // button does, what each lock frame decides and what each of its options keeps fixed.
    const auto describe = [](QWidget *w, const char *text) {
        w->setAccessibleDescription(QString::fromUtf8(text));
        w->setToolTip(w->accessibleDescription());
    };
    describe(defaultRatioButton_, c.defaultHint);
    using enum lang::Kept;
    const std::array<std::array<lang::Kept, 2>, 3> kept{
        {{PrintResolution, PrintSize}, {Pixels, PrintSize}, {Pixels, PrintResolution}}};
    for (int p = 0; p < 3; ++p) {
        lockFrames_[p]->setAccessibleName(QString::fromUtf8(c.lockGroup[p]));
        for (int i = 0; i < 2; ++i)
            describe(lockOptions_[p][i], c.lockHint[int(kept[p][i])]);
    }
    translateQtTexts(c.code);
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
    ImageBox *box = flags_.at(flag);
    box->setTwipsBox(layout::Highlighted(box->box(), checked, twips::twipsPerPixel()));
    box->setChecked(checked);
}

} // namespace quadrel
