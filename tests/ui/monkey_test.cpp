// Random input through the real widgets, checking after every event what must always hold.

#include "core/number_text.hpp"
#include "ui/frmMain.hpp"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {

using quadrel::frmMain;

constexpr int kEvents = 20'000;

const std::array<QString, 16> kJunk{
    QStringLiteral("1e400"),    QStringLiteral("-0"),    QStringLiteral("NaN"),
    QStringLiteral("∞"),        QStringLiteral("１２"),  QStringLiteral("-1e-400"),
    QStringLiteral("-8"),       QStringLiteral("0"),     QStringLiteral(" 12.5 "),
    QStringLiteral("inf"),      QStringLiteral("1,2.3"), QStringLiteral("1.7976931348623157e308"),
    QStringLiteral("4.9e-324"), QStringLiteral("-0,0"),  QStringLiteral("00000000000000000000001"),
    QString(300, u'9'),
};

class Monkey {
public:
    Monkey(frmMain &window, std::uint32_t seed)
        : w_(window)
        , random_(seed) {
        for (int i = 0; i < quadrel::kFieldCount; ++i)
            fields_.push_back(find<QLineEdit>("txtDati", i));
        ratio_ = find<QLineEdit>("txtRatio");
        frames_ = {find<QFrame>("fraP"), find<QFrame>("fraD"), find<QFrame>("fraR")};
        for (const char *name : {"opzP", "opzD", "opzR"}) {
            for (int i = 0; i < 2; ++i)
                options_.push_back(find<QRadioButton>(name, i));
        }
        defaultButton_ = find<QPushButton>("cmdDefaultRatio");
        for (int i = 0; i < 2; ++i)
            flags_.push_back(find<QWidget>("imgLang", i));
    }

    // One random user action; returns a short description for failure messages.
    QString act() {
        QWidget *target = w_.focusWidget();
        switch (pick(12)) {
        case 0:
        case 1:
        case 2:
        case 3: { // a digit or a mark, the common case
            const char c = "0123456789,.,."[pick(14)];
            QTest::keyClick(target, c);
            return QStringLiteral("type %1").arg(c);
        }
        case 4: { // any printable character, ASCII or not
            static const QString other = QStringLiteral("éß∞٣١٫·１−e");
            const QChar c = pick(3) == 0 ? other[pick(other.size())]
                                         : QChar(static_cast<char16_t>(32 + pick(95)));
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
            return QStringLiteral("type '%1'").arg(c);
        }
        case 5: {
            const QString &junk = kJunk[pick(kJunk.size())];
            QApplication::clipboard()->setText(junk);
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            return QStringLiteral("paste %1").arg(junk.left(20));
        }
        case 6: {
            static const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 6> keys{{
                {Qt::Key_Backspace, Qt::NoModifier},
                {Qt::Key_Delete, Qt::NoModifier},
                {Qt::Key_Home, Qt::NoModifier},
                {Qt::Key_A, Qt::ControlModifier},
                {Qt::Key_Z, Qt::ControlModifier},
                {Qt::Key_X, Qt::ControlModifier},
            }};
            const auto &[key, mods] = keys[pick(keys.size())];
            QTest::keyClick(target, key, mods);
            return QStringLiteral("key %1").arg(QKeySequence(key | mods).toString());
        }
        case 7:
        case 8: {
            const bool back = pick(2) == 0;
            QTest::keyClick(target, back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            return back ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab");
        }
        case 9: {
            QLineEdit *field = pick(7) == 6 ? ratio_ : fields_[pick(6)];
            click(field);
            return QStringLiteral("click %1 %2")
                .arg(field->objectName(), field->property("index").toString());
        }
        case 10: {
            std::vector<QWidget *> visible;
            for (QRadioButton *option : options_) {
                if (option->isVisible())
                    visible.push_back(option);
            }
            if (visible.empty() || pick(3) == 0) {
                click(defaultButton_);
                return QStringLiteral("click default");
            }
            QWidget *option = visible[pick(visible.size())];
            click(option);
            return QStringLiteral("click %1 %2")
                .arg(option->objectName(), option->property("index").toString());
        }
        default: {
            const int flag = static_cast<int>(pick(2));
            click(flags_[flag]);
            return QStringLiteral("click flag %1").arg(flag);
        }
        }
    }

    // What must hold after any event; empty when all is well.
    QString violation(const QString &title) const {
        if (w_.windowTitle() != title)
            return QStringLiteral("title changed to ") + w_.windowTitle();
        if (!(w_.ratio() > 0.0) || !std::isfinite(w_.ratio()))
            return QStringLiteral("ratio %1").arg(w_.ratio());
        const std::string dec = w_.decimalSep().toStdString();
        std::vector<QLineEdit *> all = fields_;
        all.push_back(ratio_);
        for (QLineEdit *field : all) {
            // The field being edited shows what the user typed or pasted; every other one shows
            // what the program wrote or tidied.
            if (field == w_.focusWidget())
                continue;
            const QString text = field->text();
            const std::string utf8 = text.toStdString();
            const QString name = field->objectName() + field->property("index").toString();
            if (text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
                text.contains(QLatin1String("inf"), Qt::CaseInsensitive))
                return name + QStringLiteral(" shows ") + text;
            if (text.startsWith(u'-') && quadrel::s2n(utf8, {}, dec) == 0.0)
                return name + QStringLiteral(" shows ") + text;
            if (!text.isEmpty() && quadrel::CleanNumber(utf8, dec) != utf8)
                return name + QStringLiteral(" holds no number text: ") + text.left(40);
        }
        const int last = w_.lastField();
        const std::array<bool, 3> shown{last >= 0 && last<3, last == 3, last> 3};
        for (std::size_t f = 0; f < frames_.size(); ++f) {
            if (frames_[f]->isVisible() != shown[f])
                return QStringLiteral("frame %1 visible %2 with last field %3")
                    .arg(frames_[f]->objectName())
                    .arg(frames_[f]->isVisible())
                    .arg(last);
        }
        return {};
    }

private:
    template <class T> T *find(const char *name, int index = -1) const {
        for (T *widget : w_.findChildren<T *>(QString::fromLatin1(name))) {
            if (index < 0 || widget->property("index").toInt() == index)
                return widget;
        }
        return nullptr;
    }
    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    static void click(QWidget *widget) {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }

    frmMain &w_;
    std::mt19937 random_;
    std::vector<QLineEdit *> fields_;
    QLineEdit *ratio_ = nullptr;
    std::array<QFrame *, 3> frames_{};
    std::vector<QRadioButton *> options_;
    QPushButton *defaultButton_ = nullptr;
    std::vector<QWidget *> flags_;
};

class MonkeyTest : public testing::TestWithParam<QLocale> {};

TEST_P(MonkeyTest, NothingBadEverShows) {
    QLocale::setDefault(GetParam());
    {
        frmMain window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        const QString title = window.windowTitle();
        const std::uint32_t seed = qEnvironmentVariableIsSet("QUADREL_MONKEY_SEED")
                                       ? qEnvironmentVariableIntValue("QUADREL_MONKEY_SEED")
                                       : 20240607u;
        Monkey monkey(window, seed);
        QStringList recent;
        for (int n = 0; n < kEvents / 2; ++n) {
            recent << monkey.act();
            if (recent.size() > 12)
                recent.removeFirst();
            const QString problem = monkey.violation(title);
            ASSERT_TRUE(problem.isEmpty())
                << "event " << n << " (seed " << seed << "): " << problem.toStdString()
                << "\nlast events: " << recent.join(QLatin1String(" | ")).toStdString();
        }
    }
    QLocale::setDefault(QLocale::system());
}

// Half of the events in each locale.
INSTANTIATE_TEST_SUITE_P(Locales, MonkeyTest,
                         testing::Values(QLocale(QLocale::Italian, QLocale::Italy),
                                         QLocale(QLocale::English, QLocale::UnitedStates)),
                         [](const auto &param) { return param.param.name().toStdString(); });

} // namespace
