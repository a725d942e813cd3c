#include "frmMain.hpp"

#include "accessibility.hpp"
#include "controls.hpp"
#include "flags.hpp"
#include "image_box.hpp"
#include "layout.hpp"
#include "number_field.hpp"
#include "twips.hpp"

#include <QAccessible>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTranslator>

namespace quadrel {

namespace {

// The layout's widths and label heights assume an 8-point dialog font in which "Risoluzione di
// stampa [DPI]" is about 129 pixels wide. Liberation Sans 8 pt makes it 135 pixels, which still
// ends before the data fields at 148; the toolkit's default (DejaVu Sans 9 pt) does not.
constexpr const char *kFontFamily = "Liberation Sans";
constexpr int kFontPoints = 8;

// Gives a control its layout name as object name; members of a control array also carry their
// index, so that findControl, tests and accessibility tools find each one by name and index.
template <class Widget> Widget *named(Widget *widget, const char *name, int index = -1) {
    widget->setObjectName(QString::fromLatin1(name));
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
void setCaption(QLabel *label, const QString &text) {
    label->setText(text);
    label->adjustSize();
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent) {
    createControls();
    placeControls();
    connectControls();
    Form_Load();
}

frmMain::~frmMain() {
    // The children go after this destructor, and with them the focus: no handler runs for that.
    disconnect(qApp, nullptr, this, nullptr);
}

void frmMain::createControls() {
    installAccessibility();
    named(this, "frmMain");
    setProperty("accessibleRole", QAccessible::Window);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Quadrel"));
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

    const std::array<ImageBox::Drawing, 2> flagPictures{flags::italianFlag, flags::unionFlag};
    for (int i = 0; i < 2; ++i) {
        const lang::Captions &language = lang::kCaptions.at(i);
        imgLang[i] = named(new ImageBox(flagPictures[i], this), "imgLang", i);
        imgLang[i]->setTag(QString::fromUtf8(language.code));
        // Named in its own language, so that everyone finds their language in any language.
        imgLang[i]->setAccessibleName(QString::fromUtf8(language.languageName));
        imgLang[i]->setToolTip(imgLang[i]->accessibleName());
    }

    for (int i = 0; i < kFieldCount; ++i) {
        lblLabels[i] = named(new QLabel(this), "lblLabels", i);
        txtDati[i] = named(new NumberField(KeyField::Data, this), "txtDati", i);
        lblLabels[i]->setBuddy(txtDati[i]);
    }

    // Each frame is the parent of its option buttons and so makes them one exclusive group of
    // their own; a frame only groups, it draws nothing and starts hidden.
    for (auto [frame, options, frameName, optionName] : {std::tuple{&fraR, &opzR, "fraR", "opzR"},
                                                         {&fraD, &opzD, "fraD", "opzD"},
                                                         {&fraP, &opzP, "fraP", "opzP"}}) {
        *frame = named(new QWidget(this), frameName);
        (*frame)->setProperty("accessibleRole", QAccessible::Grouping);
        (*frame)->hide();
        for (int i = 0; i < 2; ++i)
            (*options)[i] = named(new LockOption(*frame), optionName, i);
        (*options)[0]->setChecked(true);
    }
    // A line is its one-pixel-thick box filled with the text colour, which covers at least one
    // device pixel at every screen scale (a 1-pixel pen down a 1-pixel box vanishes at 1.5x).
    const std::array<QWidget *, 5> lineParents{fraR, fraP, fraD, fraD, this};
    for (int i = 0; i < 5; ++i) {
        lnLines[i] = named(new QWidget(lineParents[i]), "lnLines", i);
        lnLines[i]->setBackgroundRole(QPalette::WindowText);
        lnLines[i]->setAutoFillBackground(true);
        lnLines[i]->setProperty("accessibleRole", QAccessible::Separator);
    }

    // Created after the rule, so it lies above it and its box interrupts the line.
    lblOptions = named(new QLabel(this), "lblOptions");
    lblOptions->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblOptions->setIndent(0);
    lblOptions->setAlignment(Qt::AlignCenter);
    lblOptions->setAutoFillBackground(true);

    lblRatio = named(new QLabel(this), "lblRatio");
    txtRatio = named(new NumberField(KeyField::Ratio, this), "txtRatio");
    lblRatio->setBuddy(txtRatio);
    cmdDefaultRatio = named(new QPushButton(this), "cmdDefaultRatio");
    lblAuthor = named(new QLabel(this), "lblAuthor");
    cmdClose = named(new QPushButton(this), "cmdClose");
    // Return and Enter press a focused push button as Space does.
    cmdDefaultRatio->setAutoDefault(true);
    cmdClose->setAutoDefault(true);

    // The creation captions are the Italian ones.
    writeCaptions(lang::kCaptions[0]);
}

void frmMain::placeControls() {
    setFixedSize(twips::toPixels(layout::kClientArea).size());
    for (const layout::Place &p : layout::kPlaces) {
        QWidget *widget = findControl(this, p.name, p.index);
        if (auto *image = qobject_cast<ImageBox *>(widget))
            image->setTwipsBox(p.box);
        else
            widget->setGeometry(twips::toPixels(p.box));
        if (auto *label = qobject_cast<QLabel *>(widget))
            label->adjustSize();
    }
    lblOptions->raise();

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

int frmMain::Lang2Index(const QString &l) const {
    for (int i = 0; i < int(imgLang.size()); ++i) {
        if (imgLang[i]->tag().compare(l, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void frmMain::imgLang_Click(int index) {
    // The clicked flag's language is already the current one: nothing changes.
    if (imgLang[index]->tag() == tag_)
        return;
    const int previous = Lang2Index(tag_);
    tag_ = imgLang[index]->tag();
    if (previous >= 0) {
        HighlightFlag(previous, false);
        imgLang[previous]->setChecked(false);
    }
    HighlightFlag(index, true);
    imgLang[index]->setChecked(true);
    const std::string code = tag_.toStdString();
    writeCaptions(*lang::CaptionsOf(code));
    translateQtTexts(code);
}

void frmMain::translateQtTexts(std::string_view code) {
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

void frmMain::writeCaptions(const lang::Captions &c) {
    for (int k = 0; k < kFieldCount; ++k) {
        setCaption(lblLabels[k], QString::fromUtf8(c.labelText[k]));
        txtDati[k]->setAccessibleName(lblLabels[k]->text());
    }
    opzD[0]->setText(QString::fromUtf8(c.lockText));
    for (QRadioButton *option : {opzD[1], opzP[0], opzP[1], opzR[0], opzR[1]})
        option->setText(opzD[0]->text());
    setCaption(lblOptions, QLatin1Char(' ') + QString::fromUtf8(c.optionsText) + QLatin1Char(' '));
    setCaption(lblRatio, QString::fromUtf8(c.ratioText));
    txtRatio->setAccessibleName(lblRatio->text());
    cmdDefaultRatio->setText(QString::fromUtf8(c.defaultText));
    setCaption(lblAuthor, QString::fromUtf8(c.creditText));
    cmdClose->setText(QString::fromUtf8(c.closeText));

    // What a screen reader says beyond the captions, also shown as tooltips: what the default
    // button does, what each lock frame decides and what each of its options keeps fixed.
    const auto describe = [](QWidget *w, const char *text) {
        w->setAccessibleDescription(QString::fromUtf8(text));
        w->setToolTip(w->accessibleDescription());
    };
    describe(cmdDefaultRatio, c.defaultHint);
    using enum lang::Kept;
    const std::array<std::tuple<QWidget *, std::array<QRadioButton *, 2>, lang::Kept, lang::Kept>,
                     3>
        frames{{{fraP, opzP, PrintResolution, PrintSize},
                {fraD, opzD, Pixels, PrintSize},
                {fraR, opzR, Pixels, PrintResolution}}};
    for (int f = 0; f < 3; ++f) {
        const auto &[frame, options, first, second] = frames[f];
        frame->setAccessibleName(QString::fromUtf8(c.lockGroup[f]));
        describe(options[0], c.lockHint[int(first)]);
        describe(options[1], c.lockHint[int(second)]);
    }
}

void frmMain::HighlightFlag(int index, bool on) {
    // Four screen pixels in twips, from the screen's density at the time of the call.
    const twips::TwipsPerPixel perPixel = twips::twipsPerPixel();
    const float dx = (on ? 4.0F : -4.0F) * perPixel.x;
    const float dy = (on ? 4.0F : -4.0F) * perPixel.y;
    ImageBox *flag = imgLang[index];
    const twips::BoxF box = flag->box();
    flag->setTwipsBox({box.left - dx, box.top - dy, box.width + 2.0F * dx, box.height + 2.0F * dy});
}

} // namespace quadrel
