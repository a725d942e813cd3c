#include "frmMain.hpp"

#include "flags.hpp"
#include "image_box.hpp"
#include "lang/captions.hpp"
#include "layout.hpp"
#include "twips.hpp"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTranslator>

#include <optional>

namespace quadrel {

namespace {

// The layout's widths and label heights assume an 8-point dialog font in which "Risoluzione di
// stampa [DPI]" is about 129 pixels wide. Liberation Sans 8 pt makes it 135 pixels, which still
// ends before the data fields at 148; the toolkit's default (DejaVu Sans 9 pt) does not.
constexpr const char *kFontFamily = "Liberation Sans";
constexpr int kFontPoints = 8;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fromUtf8(std::optional<std::string_view> text) {
    return text ? fromUtf8(*text) : QString();
}

// Gives a control its layout name as object name; members of a control array also carry their
// index, so that tests and accessibility tools find each one by name and index.
template <class Widget> Widget *named(Widget *widget, const char *name, int index = -1) {
    widget->setObjectName(QString::fromLatin1(name));
    if (index >= 0)
        widget->setProperty("index", index);
    return widget;
}

// A label sizes itself to its text; its left and top stay.
void setCaption(QLabel *label, const QString &text) {
    label->setText(text);
    label->adjustSize();
}

// A line is its one-pixel-thick box filled with the text colour. The fill covers at least one
// device pixel at every screen scale, where a frame's 1-pixel pen down the middle of a 1-pixel box
// vanishes at 1.5x.
QFrame *makeLine(QWidget *parent, int index) {
    auto *line = named(new QFrame(parent), "lnLines", index);
    line->setFrameShape(QFrame::NoFrame);
    line->setBackgroundRole(QPalette::WindowText);
    line->setAutoFillBackground(true);
    return line;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent) {
    createControls();
    placeControls();
    connectControls();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::createControls() {
    named(this, "frmMain");
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
    const std::array<std::string_view, 2> flagTags{lang::kItalian, lang::kEnglish};
    for (short i = 0; i < static_cast<short>(imgLang.size()); ++i) {
        imgLang[i] = named(new ImageBox(flagPictures[i], this), "imgLang", i);
        imgLang[i]->setTag(fromUtf8(flagTags[i]));
        // Named in its own language, so that everyone finds their language in any language.
        imgLang[i]->setAccessibleName(fromUtf8(lang::LanguageName(flagTags[i])));
        imgLang[i]->setToolTip(imgLang[i]->accessibleName());
        connect(imgLang[i], &ImageBox::clicked, this, [this, i] { imgLang_Click(i); });
    }

    for (int i = 0; i < kFieldCount; ++i) {
        lblLabels[i] = named(new QLabel(this), "lblLabels", i);
        txtDati[i] = named(new QLineEdit(this), "txtDati", i);
        lblLabels[i]->setBuddy(txtDati[i]);
    }

    // Each frame is the parent of its option buttons and so makes them one exclusive group of
    // their own; a frame only groups, it draws no border and starts hidden.
    const auto makeFrame = [this](const char *name) {
        auto *frame = named(new QFrame(this), name);
        frame->setFrameShape(QFrame::NoFrame);
        frame->hide();
        return frame;
    };
    fraR = makeFrame("fraR");
    fraD = makeFrame("fraD");
    fraP = makeFrame("fraP");
    const auto makeOptions = [](QFrame *frame, const char *name, std::array<QRadioButton *, 2> &o) {
        for (int i = 0; i < 2; ++i)
            o[i] = named(new QRadioButton(frame), name, i);
        o[0]->setChecked(true);
    };
    makeOptions(fraR, "opzR", opzR);
    makeOptions(fraD, "opzD", opzD);
    makeOptions(fraP, "opzP", opzP);
    lnLines[0] = makeLine(fraR, 0);
    lnLines[1] = makeLine(fraP, 1);
    lnLines[2] = makeLine(fraD, 2);
    lnLines[3] = makeLine(fraD, 3);
    lnLines[4] = makeLine(this, 4);

    // Created after the rule, so it lies above it and its box interrupts the line.
    lblOptions = named(new QLabel(this), "lblOptions");
    lblOptions->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblOptions->setLineWidth(1);
    lblOptions->setIndent(0);
    lblOptions->setAlignment(Qt::AlignCenter);
    lblOptions->setAutoFillBackground(true);

    lblRatio = named(new QLabel(this), "lblRatio");
    txtRatio = named(new QLineEdit(this), "txtRatio");
    lblRatio->setBuddy(txtRatio);
    cmdDefaultRatio = named(new QPushButton(this), "cmdDefaultRatio");
    lblAuthor = named(new QLabel(this), "lblAuthor");
    cmdClose = named(new QPushButton(this), "cmdClose");

    // The creation captions are the Italian ones.
    writeCaptions(lang::kItalian);
}

void frmMain::placeControls() {
    setFixedSize(twips::toPixels(layout::kClientArea).size());
    for (const layout::Place &p : layout::kPlaces) {
        QWidget *widget = control(p.name, p.index);
        if (auto *image = qobject_cast<ImageBox *>(widget))
            image->setTwipsBox(p.box);
        else
            widget->setGeometry(twips::toPixels(p.box));
        if (auto *label = qobject_cast<QLabel *>(widget))
            label->adjustSize();
    }
    lblOptions->raise();

    // setTabOrder ignores a pair in which either control takes no focus (labels, frames), so the
    // chain is laid through the focusable controls of the tab order, in its order.
    QWidget *previous = nullptr;
    for (const layout::ControlId &id : layout::kTabOrder) {
        QWidget *next = control(id.name, id.index);
        if (next->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            setTabOrder(previous, next);
        previous = next;
    }

    // Centred on the screen when first shown.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
}

QWidget *frmMain::control(std::string_view name, int index) const {
    const auto element = [index](const auto &array) -> QWidget * {
        return index >= 0 && index < static_cast<int>(array.size()) ? array[index] : nullptr;
    };
    if (name == "txtDati")
        return element(txtDati);
    if (name == "lblLabels")
        return element(lblLabels);
    if (name == "imgLang")
        return element(imgLang);
    if (name == "opzP")
        return element(opzP);
    if (name == "opzD")
        return element(opzD);
    if (name == "opzR")
        return element(opzR);
    if (name == "lnLines")
        return element(lnLines);
    const std::array<std::pair<std::string_view, QWidget *>, 9> singles{{
        {"txtRatio", txtRatio},
        {"lblRatio", lblRatio},
        {"lblOptions", lblOptions},
        {"lblAuthor", lblAuthor},
        {"cmdDefaultRatio", cmdDefaultRatio},
        {"cmdClose", cmdClose},
        {"fraP", fraP},
        {"fraD", fraD},
        {"fraR", fraR},
    }};
    for (const auto &[singleName, widget] : singles) {
        if (singleName == name && index < 0)
            return widget;
    }
    return nullptr;
}

short frmMain::Lang2Index(const QString &l) const {
    for (short i = 0; i < static_cast<short>(imgLang.size()); ++i) {
        if (imgLang[i]->tag().compare(l, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void frmMain::imgLang_Click(short index) {
    if (index < 0 || index >= static_cast<short>(imgLang.size()))
        return;
    // The clicked flag's language is already the current one: nothing changes.
    if (imgLang[index]->tag() == tag_)
        return;
    const short previous = Lang2Index(tag_);
    tag_ = imgLang[index]->tag();
    if (previous >= 0)
        HighlightFlag(previous, false);
    HighlightFlag(index, true);
    writeCaptions(tag_.toStdString());
    translateQtTexts(tag_.toStdString());
}

void frmMain::translateQtTexts(std::string_view code) {
    if (code != lang::kItalian) {
        if (qtItalian_)
            QCoreApplication::removeTranslator(qtItalian_.get());
        return;
    }
    // Loaded once, at the first switch to Italian: the catalogue is mapped, not read, and costs
    // well under a millisecond. Without it (Qt's translations not installed) Qt's texts stay in
    // English.
    if (!qtItalian_) {
        qtItalian_ = std::make_unique<QTranslator>();
        if (!qtItalian_->load(QStringLiteral("qtbase_it"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            return;
    }
    if (!qtItalian_->isEmpty())
        QCoreApplication::installTranslator(qtItalian_.get());
}

void frmMain::writeCaptions(std::string_view code) {
    for (int k = 0; k < kFieldCount; ++k) {
        setCaption(lblLabels[k], fromUtf8(lang::LabelText(k, code)));
        txtDati[k]->setAccessibleName(lblLabels[k]->text());
    }
    opzD[0]->setText(fromUtf8(lang::LockText(code)));
    for (QRadioButton *option : {opzD[1], opzP[0], opzP[1], opzR[0], opzR[1]})
        option->setText(opzD[0]->text());
    // Every option reads "lock"; its description says what it keeps fixed.
    using lang::Kept;
    const std::array<std::pair<QRadioButton *, Kept>, 6> kept{{
        {opzP[0], Kept::PrintResolution},
        {opzP[1], Kept::PrintSize},
        {opzD[0], Kept::Pixels},
        {opzD[1], Kept::PrintSize},
        {opzR[0], Kept::Pixels},
        {opzR[1], Kept::PrintResolution},
    }};
    for (const auto &[option, what] : kept) {
        option->setAccessibleDescription(fromUtf8(lang::LockHint(what, code)));
        option->setToolTip(option->accessibleDescription());
    }
    setCaption(lblOptions, QLatin1Char(' ') + fromUtf8(lang::OptionsText(code)) + QLatin1Char(' '));
    setCaption(lblRatio, fromUtf8(lang::RatioText(code)));
    txtRatio->setAccessibleName(lblRatio->text());
    cmdDefaultRatio->setText(fromUtf8(lang::DefaultText(code)));
    setCaption(lblAuthor, fromUtf8(lang::CreditText(code)));
    cmdClose->setText(fromUtf8(lang::CloseText(code)));
}

void frmMain::HighlightFlag(short index, bool on) {
    // Four screen pixels in twips, from the screen's density at the time of the call.
    const twips::TwipsPerPixel perPixel = twips::twipsPerPixel();
    const float dx = 4.0F * perPixel.x;
    const float dy = 4.0F * perPixel.y;
    ImageBox *flag = imgLang[index];
    const twips::BoxF box = flag->box();
    if (on)
        flag->setTwipsBox(
            {box.left - dx, box.top - dy, box.width + 2.0F * dx, box.height + 2.0F * dy});
    else
        flag->setTwipsBox(
            {box.left + dx, box.top + dy, box.width - 2.0F * dx, box.height - 2.0F * dy});
}

} // namespace quadrel
