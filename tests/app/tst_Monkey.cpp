// A seeded monkey: the whole program as at start-up, and many thousands of random user actions
// across every window (clicks, typed and pasted texts of every kind, picked list items, menu
// items, close boxes, random answers to every message box). After each action the program
// must still hold together. A failure names the seed and the action, so that the run can be
// replayed with ORVALIS_MONKEY_SEED and ORVALIS_MONKEY_ACTIONS.

#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TStartForm.h"
#include "exposure/TDigitalCameraForm.h"
#include "exposure/TForm1.h"
#include "info/WebLink.h"
#include "optics/TOpticReportForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"

#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>

#include <clocale>
#include <limits>
#include <random>

namespace {

constexpr unsigned DefaultSeed = 20261207;

// A paste, however long, is taken and calculated with well within a second (a few tens of
// milliseconds on an idle machine); sanitizers make everything several times slower.
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 PasteBudgetMs = 3000;
#else
constexpr qint64 PasteBudgetMs = 1000;
#endif
constexpr int DefaultActions = 20000;

int Setting(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// A number as written by the program: plain or in its scientific form.
const QString Number = QStringLiteral("-?(\\d+(\\.\\d+)?|\\d\\.\\d+E[+-]\\d{4})");

// Every caption the exposure calculator can show: "???" before its first calculation; then
// the seconds below one second, followed by a shutter speed, a rounded count of seconds,
// minutes or hours, a limit, or ???.
const QRegularExpression ExposureCaptionForm(QStringLiteral(
    "^\\?\\?\\?$|^( *-?\\d+\\.\\d{3} s   = )?(\\?\\?\\? |Excessively short |Excessively long |1/\\d+ s| +\\d+ [sm]| +\\d+\\.\\d h)$"));

QRegularExpression Whole(const QString& pattern)
{
    return QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'));
}

//! Why a value of the report is not "?" or a well-formed result, or empty when it is.
QString MalformedReportValue(const TOpticReportForm* report)
{
    const QString degrees = Number + QStringLiteral("\u00B0");
    const QString mm = Number + QStringLiteral(" mm");
    const std::pair<const QLabel*, QRegularExpression> rows[] = {
        {report->ApertureLabel, Whole(QStringLiteral("-?\\d+ mm"))},
        {report->FLLabel, Whole(QStringLiteral("-?\\d+ mm"))},
        {report->EFLLabel, Whole(QStringLiteral("-?\\d+ mm"))},
        {report->fLabel, Whole(QStringLiteral("f/") + Number)},
        {report->FOVLabel, Whole(degrees + QStringLiteral(" x ") + degrees)},
        {report->FOV20Label, Whole(degrees)},
        {report->MoonImageSizeLabel, Whole(mm + QStringLiteral("( \\(too big for 35-mm film\\))?"))},
        {report->JupiterImageSizeLabel, Whole(QStringLiteral("Excessively small|") + Number + QStringLiteral(" to ") + mm)},
    };
    for (const auto& [label, form] : rows)
        if (label->text() != QLatin1String("?") && !form.match(label->text()).hasMatch())
            return label->objectName() + QStringLiteral(": ") + label->text();
    return {};
}

} // namespace

class tst_Monkey : public QObject
{
    Q_OBJECT

private slots:
    // A check that fails leaves its test early; the program it ran ends here all the same.
    void cleanup() { m_program.reset(); }

    void randomUserActionsLeaveTheProgramWhole();
    void pastingAMillionCharacters_data();
    void pastingAMillionCharacters();

private:
    QString RandomText();
    QString Act();
    QString Broken() const;

    std::mt19937 m_random;
    std::unique_ptr<RunningProgram> m_program;
    QStringList m_boxes;     // every box shown since the last action
    QStringList m_badBoxes;  // boxes that report anything but an expected error or refusal
    int m_pagesOpened = 0;
};

QString tst_Monkey::RandomText()
{
    const auto pick = [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); };
    static const QString pieces[] = {
        "0", "1", "2", "5", "9", "10", "200", "1250", "0.5", ".", "-", "+", "e", "E", "e-3", "E+400", "1e308",
        " ", "  ", "\t", "x", "inch", "mm", "\u00B0", "\u00E9", "\u066B", "\u20AC", "\u65E5", ",", "?", "-0", "e5"};
    switch (pick(20)) {
    case 0:
        return {}; // empty
    case 1: {
        // A long paste: 100,000 characters of digits, blanks and letters.
        QString text;
        text.reserve(100000);
        while (text.size() < 100000)
            text += pieces[pick(std::size(pieces))];
        return text.left(100000);
    }
    default: {
        QString text;
        for (int i = pick(6) + 1; i > 0; --i)
            text += pieces[pick(std::size(pieces))];
        return text;
    }
    }
}

//! Plays one random action on a random visible window and says what it was.
QString tst_Monkey::Act()
{
    const auto pick = [this](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, n - 1)(m_random); };
    QList<QWidget*> visible;
    for (QWidget* window : StartupWindows())
        if (window->isVisible())
            visible << window;
    QWidget* window = visible[pick(visible.size())];
    const QString where = window->objectName() + QStringLiteral(": ");
    TStartForm* start = Windows().StartForm;

    // What a user can reach in this window, not in a dialog it has opened; the ways to end the
    // program are left out.
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->window() == window && button->isVisible() && button->isEnabled() && button != start->Button3)
            buttons << button;
    QList<QAction*> items;
    if (auto* menus = window->findChild<QMenuBar*>())
        for (QAction* menu : menus->actions())
            if (menu->menu())
                for (QAction* item : menu->menu()->actions())
                    if (!item->isSeparator() && item->isEnabled() && item != start->Exit1)
                        items << item;
    QList<QWidget*> boxes;
    for (QWidget* box : window->findChildren<QWidget*>())
        if (box->window() == window && box->isVisible() && (qobject_cast<QLineEdit*>(box) || qobject_cast<QComboBox*>(box))
            && !qobject_cast<QComboBox*>(box->parentWidget()))
            boxes << box;
    QList<QListWidget*> lists = window->findChildren<QListWidget*>();

    switch (pick(6)) {
    case 0:
        if (!buttons.isEmpty()) {
            QAbstractButton* button = buttons[pick(buttons.size())];
            const QString name = button->objectName();
            if (qobject_cast<QRadioButton*>(button))
                ClickRadio(static_cast<QRadioButton*>(button));
            else
                QTest::mouseClick(button, Qt::LeftButton);
            return where + QStringLiteral("click ") + name;
        }
        break;
    case 1:
        if (!items.isEmpty()) {
            QAction* item = items[pick(items.size())];
            const QString name = item->objectName();
            item->trigger();
            return where + QStringLiteral("menu ") + name;
        }
        break;
    case 2:
    case 3:
        if (!boxes.isEmpty()) {
            QWidget* box = boxes[pick(boxes.size())];
            auto* combo = qobject_cast<QComboBox*>(box);
            if (combo && pick(3) == 0) {
                const int item = static_cast<int>(pick(combo->count()));
                combo->setCurrentIndex(item); // what picking an item of the list does
                return where + QStringLiteral("pick %1 in %2").arg(item).arg(box->objectName());
            }
            const QString text = RandomText();
            QLineEdit* edit = combo ? combo->lineEdit() : static_cast<QLineEdit*>(box);
            edit->setFocus();
            edit->selectAll();
            if (text.size() > 100 || text.contains(QLatin1Char('\t'))) {
                // Long texts, and tabs (which the Tab key never types), arrive by pasting.
                QApplication::clipboard()->setText(text);
                QTest::keySequence(edit, QKeySequence::Paste);
                return where + QStringLiteral("paste %1 characters into %2").arg(text.size()).arg(box->objectName());
            }
            QTest::keyClick(edit, Qt::Key_Delete);
            for (const QChar character : text) {
                if (character.unicode() < 128) {
                    QTest::keyClick(edit, character.toLatin1());
                } else { // a key of a keyboard for another language
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
                    QApplication::sendEvent(edit, &press);
                }
            }
            return where + QStringLiteral("type \"%1\" into %2").arg(text, box->objectName());
        }
        break;
    case 4:
        if (!lists.isEmpty() && lists.first()->count() > 0) {
            QListWidget* list = lists.first();
            const int row = static_cast<int>(pick(list->count()));
            ClickRow(list, row);
            return where + QStringLiteral("row %1").arg(row);
        }
        break;
    default:
        break;
    }
    if (window == start)
        return where + QStringLiteral("nothing"); // its close box ends the program
    window->close();
    return where + QStringLiteral("close box");
}

//! What is broken in the program now, or empty when it holds together.
QString tst_Monkey::Broken() const
{
    const ProgramWindows& w = Windows();
    if (!w.StartForm->isVisible())
        return QStringLiteral("the start window is hidden");
    int windows = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->windowType() == Qt::Window && !widget->inherits("QMessageBox"))
            ++windows;
    const QList<QWidget*> program = StartupWindows();
    // The windows made on demand, once a key or a menu asks for them, come on top.
    int madeOnDemand = 0;
    for (const ProgramWindow& window : EveryWindow())
        madeOnDemand += window.MakeOnDemand && window.InTheSet() ? 1 : 0;
    if (windows != 16 + madeOnDemand || std::count(program.begin(), program.end(), nullptr) > 0)
        return QStringLiteral("%1 windows instead of the sixteen and %2 made on demand").arg(windows).arg(madeOnDemand);
    const QString caption = w.Form1->ExposureLabel->text();
    if (!ExposureCaptionForm.match(caption).hasMatch())
        return QStringLiteral("exposure caption \"%1\"").arg(caption);
    if (const QString bad = MalformedReportValue(w.OpticReportForm); !bad.isEmpty())
        return QStringLiteral("report value ") + bad;
    if (!m_badBoxes.isEmpty())
        return QStringLiteral("unexpected message box: ") + m_badBoxes.join(QStringLiteral(" | "));
    return {};
}

void tst_Monkey::randomUserActionsLeaveTheProgramWhole()
{
    const unsigned seed = static_cast<unsigned>(Setting("ORVALIS_MONKEY_SEED", DefaultSeed));
    const int actions = Setting("ORVALIS_MONKEY_ACTIONS", DefaultActions);
    m_random.seed(seed);
    qInfo("monkey: seed %u, %d actions, decimal separator \"%s\"", seed, actions, std::localeconv()->decimal_point);

    m_program = std::make_unique<RunningProgram>(true); // the splash stays, as at start-up
    // Every box gets a random answer. The error box may report only the arithmetic errors
    // and the printer's; any other text is an exception that escaped a handler.
    static const QStringList expectedErrors{"Invalid floating point operation.", "Floating point division by zero.",
                                            "Floating point overflow.",
                                            "There is no default printer currently selected."};
    MessageBoxes::SetAnswerer([this](const MessageBoxes::Request& request) {
        m_boxes << request.Text;
        const bool refusal = request.Caption == QLatin1String("Orvalis Calculator") && !request.ErrorIcon;
        const bool error = request.Caption == QLatin1String("Orvalis Exposure Calculator") && request.ErrorIcon
                           && expectedErrors.contains(request.Text);
        if (!refusal && !error)
            m_badBoxes << request.Caption + QStringLiteral(": ") + request.Text;
        return std::bernoulli_distribution(0.5)(m_random) ? MessageBoxes::Answer::Ok : MessageBoxes::Answer::Cancel;
    });
    SetWebOpener([this](const QUrl&) {
        ++m_pagesOpened;
        return std::bernoulli_distribution(0.5)(m_random);
    });

    QStringList recent;
    for (int action = 1; action <= actions; ++action) {
        m_boxes.clear();
        recent << QString::number(action) + QStringLiteral(". ") + Act();
        QCoreApplication::processEvents();
        if (!m_boxes.isEmpty())
            recent.last() += QStringLiteral("  [boxes: ") + m_boxes.join(QStringLiteral(" | ")) + QLatin1Char(']');
        if (recent.size() > 12)
            recent.removeFirst();
        const QString broken = Broken();
        if (!broken.isEmpty()) {
            SetWebOpener({});
            m_program.reset();
            QFAIL(qPrintable(QStringLiteral("seed %1, action %2: %3\nlast actions:\n%4")
                                 .arg(seed)
                                 .arg(action)
                                 .arg(broken, recent.join(QLatin1Char('\n')))));
        }
    }
    qInfo("monkey: %d pages would have been opened", m_pagesOpened);
    SetWebOpener({});
    m_program.reset();
}

void tst_Monkey::pastingAMillionCharacters_data()
{
    QTest::addColumn<QString>("box");
    for (const char* box : {"BrightnessBox", "SpeedBox", "ReciprocityBox", "FilterFactorBox", "FRatioBox",
                            "ApertureEditBox", "FocalEditBox", "MagnificationEdit", "CamLensEdit", "EypcEdit",
                            "BarlowFLEdit", "BarlowDistanceEdit", "EypcFLEdit", "EypcDistanceEdit", "CamFEdit"})
        QTest::newRow(box) << QString::fromLatin1(box);
}

void tst_Monkey::pastingAMillionCharacters()
{
    QFETCH(QString, box);
    m_program = std::make_unique<RunningProgram>();
    TForm1* calculator = Windows().Form1;
    // Every box of that name (the compressor's and the teleconverter's share one, and so on).
    const auto allBoxes = [] {
        QMap<QString, QString> texts;
        for (QWidget* window : StartupWindows())
            for (const QLineEdit* edit : window->findChildren<QLineEdit*>())
                texts[window->objectName() + QLatin1Char('.') + edit->parentWidget()->objectName() + QLatin1Char('.')
                      + edit->objectName()] = edit->text();
        return texts;
    };
    for (QWidget* window : StartupWindows()) {
        QWidget* found = window->findChild<QWidget*>(box);
        if (!found)
            continue;
        ShowWindow(window);
        auto* combo = qobject_cast<QComboBox*>(found);
        QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(found);
        QVERIFY(edit);
        const QStringList before = {calculator->ExposureLabel->text()};
        QMap<QString, QString> others = allBoxes();

        // A number and then a million characters of whatever the clipboard held.
        QString pasted = QStringLiteral("3.4 ");
        pasted += QString(999996, QLatin1Char('7')).replace(1000, 1, QLatin1Char(' '));
        QApplication::clipboard()->setText(pasted);
        edit->setFocus();
        // The best of up to three pastes over the whole text: a stall of the machine only ever
        // adds time.
        qint64 elapsed = std::numeric_limits<qint64>::max();
        for (int attempt = 0; attempt < 3 && elapsed >= PasteBudgetMs; ++attempt) {
            edit->selectAll();
            QElapsedTimer timer;
            timer.start();
            QTest::keySequence(edit, QKeySequence::Paste);
            elapsed = std::min(elapsed, timer.elapsed());
        }
        QVERIFY2(elapsed < PasteBudgetMs, qPrintable(QStringLiteral("%1 ms in %2").arg(elapsed).arg(window->objectName())));

        // The box keeps what fits its limit, which holds a long text.
        QVERIFY(edit->maxLength() >= 32767);
        QCOMPARE(edit->text(), pasted.left(edit->maxLength()));
        // Nothing else changes; the calculator reads the first word only.
        const QString key = window->objectName() + QLatin1Char('.') + edit->parentWidget()->objectName()
                            + QLatin1Char('.') + edit->objectName();
        others.remove(key);
        QMap<QString, QString> after = allBoxes();
        after.remove(key);
        QCOMPARE(after, others);
        if (window == calculator) {
            const QString caption = calculator->ExposureLabel->text();
            TypeInto(found, QStringLiteral("3.4"));
            QCOMPARE(caption, calculator->ExposureLabel->text());
        } else {
            QCOMPARE(QStringList{calculator->ExposureLabel->text()}, before);
        }
    }
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    m_program.reset();
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Print goes to a print server that is not there, so nothing reaches a real printer.
    qputenv("CUPS_SERVER", "/nonexistent/orvalis-monkey.sock");
    QApplication application(argc, argv);
    // Run under a locale whose decimal separator is not a point, it must really be in force.
    const QByteArray wanted = qgetenv("ORVALIS_EXPECT_SEPARATOR");
    if (!wanted.isEmpty() && wanted != std::localeconv()->decimal_point) {
        qCritical("the locale asked for is not in force (decimal separator \"%s\")", std::localeconv()->decimal_point);
        return 1;
    }
    tst_Monkey test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Monkey.moc"
