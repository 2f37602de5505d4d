// A long session on the real browser window (offscreen), as a user would have one: keywords
// typed letter by letter, prefixes, characters the filter cleans out, Backspace and pastes, with
// layout switches and help windows in between. After every keystroke the field and the display
// must be what the typing leads to; after a warm-up, memory must stop growing; at the end no
// window and no timer may be left behind. The seed is fixed, so a failure replays as it happened.
//
// Keystroke times are printed, never checked: the machine is shared, and the figure that counts
// is bench/filter_bench.cpp's.

#include "common/GuiTestMain.h"

#include "windows/BrowserTestSupport.h"

#include "help/HelpWindows.h"
#include "help/winHelp.h"
#include "help/winHelpSimple.h"
#include "toolkit/Window.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <vector>

using namespace BrowserTest;

namespace {

// splitmix64: the same numbers from every compiler and standard library, which the std
// distributions do not promise.
class Rng
{
public:
    explicit Rng(quint64 seed)
        : m_state(seed)
    {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(qsizetype n) { return int(next() % quint64(n)); }
    bool percent(int p) { return below(100) < p; }
    QChar charOf(const QString &s) { return s.at(below(s.size())); }

private:
    quint64 m_state;
};

struct Plan
{
    int keystrokes;
    int switches;
    int helpWindows;
    int warmUp; // keystrokes before the memory baseline
};

#ifdef VANTREL_SOAK_SANITIZED
// Every step is several times slower under the sanitizers; a shorter session still takes every
// path many times over. The memory bound is not checked there: the sanitizer's allocator keeps freed
// blocks in quarantine and pads every block, so RSS says nothing about the program's own use.
constexpr Plan kPlan{4000, 80, 200, 500};
constexpr bool kCheckMemory = false;
#else
constexpr Plan kPlan{10000, 200, 500, 1000};
constexpr bool kCheckMemory = true;
#endif

constexpr quint64 kSeed = 20230411;
constexpr qint64 kMemoryBound = 1024 * 1024;
// bench/filter_bench.cpp's target for the keystroke that applies the largest keyword.
constexpr double kKeystrokeTargetMs = 0.5;

// Everything the filter takes out of a typed or pasted text.
const QString kRemoved = QString(Search::kSearchCharacters) + QString(Search::kControlCharacters);

// Resident memory from /proc/self/status: all of it (VmRSS, what the bound is on), and its
// anonymous and file-backed parts, which tell heap growth from library pages touched late.
struct Memory
{
    qint64 rss = -1;
    qint64 anon = -1;
    qint64 file = -1;

    static Memory now()
    {
        Memory m;
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return m;
        for (const QByteArray &line : status.readAll().split('\n')) {
            const QList<QByteArray> f = line.simplified().split(' ');
            if (f.size() < 2)
                continue;
            const qint64 bytes = f.at(1).toLongLong() * 1024;
            if (f.at(0) == "VmRSS:")
                m.rss = bytes;
            else if (f.at(0) == "RssAnon:")
                m.anon = bytes;
            else if (f.at(0) == "RssFile:")
                m.file = bytes;
        }
        return m;
    }
};

QString mb(qint64 bytes) { return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 2) + QStringLiteral(" MB"); }

// The offscreen platform warns on every raise(), which each layout switch does; a session's
// worth of that one line would bury the figures.
class QuietRaise
{
public:
    QuietRaise() { previous() = qInstallMessageHandler(&handle); }
    ~QuietRaise() { qInstallMessageHandler(previous()); }
    QuietRaise(const QuietRaise &) = delete;
    QuietRaise &operator=(const QuietRaise &) = delete;

private:
    static QtMessageHandler &previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message == QLatin1String("This plugin does not support raise()"))
            return;
        previous()(type, context, message);
    }
};

// Posted events and deferred deletes, as the program's event loop would have run them by now.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString objectText(const QObject *o)
{
    QString d = QString::fromLatin1(o->metaObject()->className());
    if (!o->objectName().isEmpty())
        d += QStringLiteral(" '%1'").arg(o->objectName());
    if (const QObject *p = o->parent())
        d += QStringLiteral(" in ") + QString::fromLatin1(p->metaObject()->className());
    return d;
}

// Timers registered on every object that can still be reached: the application, every widget
// and window, and all their children.
QStringList registeredTimers()
{
    QSet<QObject *> objects;
    auto add = [&objects](QObject *root) {
        objects.insert(root);
        for (QObject *o : root->findChildren<QObject *>())
            objects.insert(o);
    };
    add(QCoreApplication::instance());
    for (QWidget *w : QApplication::allWidgets())
        add(w);
    for (QWindow *w : QGuiApplication::allWindows())
        add(w);
    QStringList timers;
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    for (QObject *o : std::as_const(objects)) {
        for (const QAbstractEventDispatcher::TimerInfo &t : dispatcher->registeredTimers(o))
            timers.append(QStringLiteral("%1, every %2 ms").arg(objectText(o)).arg(t.interval));
    }
    timers.sort();
    return timers;
}

// The receivers of timer events while the application idles: also finds a timer whose object
// nothing refers to any more (a lost single shot, say), which registeredTimers cannot reach.
class TimerEventWatch : public QObject
{
public:
    QStringList receivers;

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Timer) {
            const QString d = objectText(o);
            if (!receivers.contains(d))
                receivers.append(d);
        }
        return false;
    }
};

QStringList idleTimerReceivers()
{
    TimerEventWatch watch;
    QCoreApplication::instance()->installEventFilter(&watch);
    QTest::qWait(300);
    QCoreApplication::instance()->removeEventFilter(&watch);
    watch.receivers.sort();
    return watch.receivers;
}

// What `after` holds beyond `before`, counting repeats.
QStringList beyond(QStringList after, QStringList before)
{
    QStringList extra;
    for (const QString &s : std::as_const(after)) {
        if (!before.removeOne(s))
            extra.append(s);
    }
    return extra;
}

struct Figures
{
    double mean = 0;
    double p99 = 0;
    double max = 0;
    size_t n = 0;

    static Figures of(std::vector<double> v)
    {
        Figures f;
        f.n = v.size();
        if (v.empty())
            return f;
        std::sort(v.begin(), v.end());
        f.mean = std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
        f.p99 = v.at(std::min(v.size() - 1, size_t(double(v.size()) * 0.99)));
        f.max = v.back();
        return f;
    }

    QString text() const
    {
        return QStringLiteral("n %1, mean %2 ms, p99 %3 ms, max %4 ms")
            .arg(n)
            .arg(mean, 0, 'f', 3)
            .arg(p99, 0, 'f', 3)
            .arg(max, 0, 'f', 3);
    }
};

QString shownText(const Shown &s)
{
    char *text = describe(s);
    const QString result = QString::fromUtf8(text);
    delete[] text;
    return result;
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// What the display must show, followed from the field's texts as the filter sees them: a text
// that is a keyword is applied, unless it is the one applied (in any letter case); an empty or
// one-character text clears first; any other text leaves the display as it was.
struct Expected
{
    enum class State {
        Initial,
        Cleared,
        Applied
    };
    State state = State::Initial;
    QString keyword;

    void follow(const QString &text)
    {
        if (text.compare(state == State::Applied ? keyword : QString(), Qt::CaseInsensitive) == 0)
            return;
        if (text.size() <= 1) {
            state = State::Cleared;
            keyword.clear();
        }
        if (!text.isEmpty() && !ModGlobal::KeywordEntries(text).isEmpty()) {
            state = State::Applied;
            keyword = text;
        }
    }
};

enum class Key {
    Char,
    Backspace,
    SelectAll,
    PasteKey,  // Ctrl+V
    PasteMenu, // Edit > Paste
};

} // namespace

// Returns false from the calling member after recording the failure with the session's context.
#define SOAK_VERIFY(cond, what)                                                                                        \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            return fail(QStringLiteral(#cond), (what), __FILE__, __LINE__);                                            \
    } while (false)

class Session
{
public:
    Session(Fixture &fx, const Plan &plan)
        : m_fx(fx)
        , m_plan(plan)
    {
        m_keywords = ModGlobal::KeyGlobal().Keys();
        std::sort(m_keywords.begin(), m_keywords.end());
        qsizetype most = -1;
        for (const QString &k : std::as_const(m_keywords)) {
            const qsizetype n = entryCount(k);
            if (n > most) {
                most = n;
                m_largest = k;
            }
        }
        // Reserved up front, so the figures kept for the report do not show up in the memory curve.
        for (std::vector<double> *v : {&m_keyMs, &m_refillMs, &m_largestMs})
            v->reserve(size_t(m_plan.keystrokes));
        m_switchMs.reserve(size_t(m_plan.switches));
        m_helpMs.reserve(size_t(m_plan.helpWindows));
        m_memory.reserve(16);
        // Spread evenly with some jitter, so the warm-up gets its share of both.
        m_switchAt = spread(m_plan.switches);
        m_helpAt = spread(m_plan.helpWindows);
    }

    bool run()
    {
        m_w = winMain();
        if (!activate())
            return false;
        m_memory.append({QStringLiteral("start"), Memory::now()});
        m_started.start();
        while (m_keys < m_plan.keystrokes) {
            if (!action())
                return false;
        }
        settle();
        m_memory.append({QStringLiteral("end"), Memory::now()});
        return true;
    }

    void report() const
    {
        qInfo("soak: seed %llu, %d keystrokes, %d layout switches, %d help windows in %.1f s", kSeed, m_keys,
              m_switches, m_helps, double(m_started.elapsed()) / 1000.0);
        QStringList curve;
        for (const auto &[label, m] : m_memory)
            curve.append(QStringLiteral("%1 %2 (anon %3, file %4)").arg(label, mb(m.rss), mb(m.anon), mb(m.file)));
        qInfo("soak: RSS %s", qPrintable(curve.join(QStringLiteral("; "))));
        qInfo("soak: RSS growth from the warm-up to the end %+.1f KB (bound %lld KB%s)",
              double(growthAfterWarmUp()) / 1024.0, kMemoryBound / 1024, kCheckMemory ? "" : ", not checked here");
        qInfo("soak: every keystroke: %s", qPrintable(Figures::of(m_keyMs).text()));
        qInfo("soak: keystrokes that refilled the list: %s", qPrintable(Figures::of(m_refillMs).text()));
        const Figures largest = Figures::of(m_largestMs);
        qInfo("soak: keystrokes that applied the largest keyword \"%s\" (%lld rows): %s", qPrintable(m_largest),
              qlonglong(entryCount(m_largest)), qPrintable(largest.text()));
        qInfo("soak: the benchmark's target for that keystroke is %.1f ms: %s", kKeystrokeTargetMs,
              largest.n == 0                           ? "not reached in this session"
                  : largest.mean <= kKeystrokeTargetMs ? "mean within it"
                                                       : "mean above it");
        qInfo("soak: layout switches: %s", qPrintable(Figures::of(m_switchMs).text()));
        qInfo("soak: help windows opened and closed: %s", qPrintable(Figures::of(m_helpMs).text()));
    }

    qint64 growthAfterWarmUp() const
    {
        qint64 warm = -1;
        for (const auto &[label, m] : m_memory) {
            if (label.startsWith(QLatin1String("warm-up")))
                warm = m.rss;
        }
        return warm < 0 ? 0 : m_memory.last().second.rss - warm;
    }

private:
    Toolkit::TextField *field() const { return m_w->tfSearch(); }

    // `count` keystroke numbers, one in each equal share of the session.
    std::vector<int> spread(int count)
    {
        std::vector<int> at;
        for (int i = 0; i < count; ++i)
            at.push_back(i * (m_plan.keystrokes / count) + 1 + m_rng.below(m_plan.keystrokes / count));
        return at;
    }

    bool fail(const QString &cond, const QString &what, const char *file, int line)
    {
        const QString message = QStringLiteral("%1 (%2) after keystroke %3 of seed %4; last steps:\n  %5")
                                    .arg(what, cond)
                                    .arg(m_keys)
                                    .arg(kSeed)
                                    .arg(m_trail.join(QStringLiteral("\n  ")));
        QTest::qFail(qPrintable(message), file, line);
        return false;
    }

    void note(const QString &step)
    {
        m_trail.append(step);
        if (m_trail.size() > 16)
            m_trail.removeFirst();
    }

    // Only the latest: a cache of every keyword met would itself grow through the session.
    const Shown &appliedDisplay(const QString &keyword)
    {
        if (m_applied.searchText != keyword)
            m_applied = Shown::applied(keyword);
        return m_applied;
    }

    bool checkDisplay()
    {
        const Shown shown = Shown::of(m_w);
        const Shown &expected = m_expected.state == Expected::State::Applied ? appliedDisplay(m_expected.keyword)
            : m_expected.state == Expected::State::Cleared                   ? m_cleared
                                                                             : m_initial;
        SOAK_VERIFY(shown == expected,
                    QStringLiteral("field \"%1\" shows %2, expected %3")
                        .arg(field()->Text(), shownText(shown), shownText(expected)));
        SOAK_VERIFY(m_fx.reports.isEmpty(), m_fx.reports.value(0));
        SOAK_VERIFY(m_fx.messages.messages.isEmpty(), m_fx.messages.messages.value(0));
        return true;
    }

    // One keystroke into the search field, checked: the field holds what the key leads to with
    // the filter's characters taken out, the caret stays behind what was typed, and the display
    // follows.
    bool press(Key key, QChar c = {})
    {
        if (m_keys >= m_plan.keystrokes)
            return true;
        Toolkit::TextField *f = field();
        const QString before = f->Text();
        const int caret = f->cursorPosition();
        const int selStart = f->hasSelectedText() ? f->selectionStart() : caret;
        const int selLength = f->hasSelectedText() ? int(f->selectedText().size()) : 0;

        // The field's own edit, before the filter cleans it.
        QString raw = before;
        int rawCaret = caret;
        auto insert = [&](const QString &s) {
            raw = before.left(selStart) + s + before.mid(selStart + selLength);
            rawCaret = selStart + int(s.size());
        };
        QString what;
        switch (key) {
        case Key::Char:
            insert(QString(c));
            what = QStringLiteral("'%1'").arg(c);
            break;
        case Key::Backspace:
            if (selLength > 0)
                insert(QString());
            else if (caret > 0) {
                raw = before.left(caret - 1) + before.mid(caret);
                rawCaret = caret - 1;
            }
            what = QStringLiteral("Backspace");
            break;
        case Key::SelectAll:
            rawCaret = int(before.size());
            what = QStringLiteral("Ctrl+A");
            break;
        case Key::PasteKey:
        case Key::PasteMenu: {
            const QString clip = QGuiApplication::clipboard()->text();
            insert(clip);
            what = QStringLiteral("%1 of \"%2\"")
                       .arg(QLatin1String(key == Key::PasteKey ? "Ctrl+V" : "Edit > Paste"), clip);
            break;
        }
        }
        // A text of one character is left as it is.
        QString cleaned = raw;
        int cleanedCaret = rawCaret;
        if (raw.size() > 1) {
            cleaned.clear();
            cleanedCaret = 0;
            for (int i = 0; i < raw.size(); ++i) {
                if (kRemoved.contains(raw.at(i)))
                    continue;
                cleaned.append(raw.at(i));
                if (i < rawCaret)
                    ++cleanedCaret;
            }
        }

        ++m_keys;
        note(QStringLiteral("key %1: %2 into \"%3\" (caret %4)").arg(m_keys).arg(what, before).arg(caret));
        if (key == Key::PasteMenu)
            SOAK_VERIFY(QApplication::focusWidget() == f, QStringLiteral("Edit > Paste needs the field focused"));

        const Expected previous = m_expected;
        const auto start = std::chrono::steady_clock::now();
        switch (key) {
        case Key::Char:
            QTest::keyClick(f, c.toLatin1());
            break;
        case Key::Backspace:
            QTest::keyClick(f, Qt::Key_Backspace);
            break;
        case Key::SelectAll:
            QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
            break;
        case Key::PasteKey:
            QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
            break;
        case Key::PasteMenu:
            m_w->menuItem(QStringLiteral("EditPaste"))->trigger();
            break;
        }
        const double ms = msSince(start);

        SOAK_VERIFY(f->Text() == cleaned,
                    QStringLiteral("the field holds \"%1\", expected \"%2\"").arg(f->Text(), cleaned));
        SOAK_VERIFY(f->cursorPosition() == cleanedCaret,
                    QStringLiteral("caret at %1, expected %2").arg(f->cursorPosition()).arg(cleanedCaret));
        m_expected.follow(cleaned);
        if (!checkDisplay())
            return false;

        m_keyMs.push_back(ms);
        const bool refilled = m_expected.state == Expected::State::Applied
            && (previous.state != Expected::State::Applied || previous.keyword != m_expected.keyword);
        if (refilled) {
            m_refillMs.push_back(ms);
            if (m_expected.keyword.compare(m_largest, Qt::CaseInsensitive) == 0)
                m_largestMs.push_back(ms);
        }

        // The event loop's turn: paints, deferred work.
        QCoreApplication::processEvents();

        if (m_keys == m_plan.warmUp) {
            settle();
            m_memory.append({QStringLiteral("warm-up (%1 keys)").arg(m_keys), Memory::now()});
        } else if (m_keys % (m_plan.keystrokes / 5) == 0 && m_keys < m_plan.keystrokes) {
            settle();
            m_memory.append({QStringLiteral("%1 keys").arg(m_keys), Memory::now()});
        }
        while (m_nextSwitch < m_switchAt.size() && m_switchAt.at(m_nextSwitch) <= m_keys) {
            ++m_nextSwitch;
            if (!switchLayout())
                return false;
        }
        while (m_nextHelp < m_helpAt.size() && m_helpAt.at(m_nextHelp) <= m_keys) {
            ++m_nextHelp;
            if (!openHelp())
                return false;
        }
        return true;
    }

    bool type(const QString &text)
    {
        for (QChar c : text) {
            if (!press(Key::Char, c))
                return false;
        }
        return true;
    }

    // Empties the field as a user does: Backspace over a short text, or select all and delete;
    // or only selects all, so what comes next types over it.
    bool clearField()
    {
        const qsizetype length = field()->Text().size();
        if (length == 0)
            return true;
        const int how = m_rng.below(3);
        if (how == 0 && length <= 8) {
            for (qsizetype i = 0; i < length; ++i) {
                if (!press(Key::Backspace))
                    return false;
            }
            return true;
        }
        if (!press(Key::SelectAll))
            return false;
        return how == 2 || press(Key::Backspace);
    }

    QString pasteText()
    {
        const QString k = m_keywords.at(m_rng.below(m_keywords.size()));
        switch (m_rng.below(5)) {
        case 0:
            return k;
        case 1:
            return m_rng.percent(50) ? k.toUpper() : k.toLower();
        case 2: {
            QString s = k;
            for (int n = 1 + m_rng.below(3); n > 0; --n)
                s.insert(m_rng.below(s.size() + 1), m_rng.charOf(kRemoved));
            return s;
        }
        case 3:
            return k.left(1 + m_rng.below(k.size()));
        default: {
            QString s;
            for (int n = 1 + m_rng.below(3); n > 0; --n)
                s.append(m_rng.charOf(kRemoved));
            return s;
        }
        }
    }

    bool action()
    {
        if (field()->Text().size() > 40 && !clearField())
            return false;
        const int r = m_rng.below(100);
        if (r < 30) {
            const QString k = m_keywords.at(m_rng.below(m_keywords.size()));
            return clearField() && type(k);
        }
        if (r < 50) {
            const QString k = m_keywords.at(m_rng.below(m_keywords.size()));
            if (m_rng.percent(70) && !clearField())
                return false;
            return type(k.left(1 + m_rng.below(k.size())));
        }
        if (r < 62)
            return press(Key::Char, m_rng.charOf(QString(Search::kSearchCharacters)));
        if (r < 82) {
            for (int n = 1 + m_rng.below(4); n > 0; --n) {
                if (!press(Key::Backspace))
                    return false;
            }
            return true;
        }
        QGuiApplication::clipboard()->setText(pasteText());
        if (m_rng.percent(50) && !press(Key::SelectAll))
            return false;
        return press(m_rng.percent(50) ? Key::PasteKey : Key::PasteMenu);
    }

    // The window active with the keyboard in the search field, as the user would bring it back
    // after another window: Ctrl+F from wherever the focus is.
    bool activate()
    {
        if (QApplication::activeWindow() != m_w)
            m_w->activateWindow();
        SOAK_VERIFY(QTest::qWaitForWindowActive(m_w), QStringLiteral("the browser window becomes active"));
        if (QApplication::focusWidget() != field()) {
            note(QStringLiteral("Ctrl+F from %1")
                     .arg(QApplication::focusWidget() ? objectText(QApplication::focusWidget())
                                                      : QStringLiteral("nowhere")));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_w, Qt::Key_F,
                            Qt::ControlModifier);
        }
        SOAK_VERIFY(QApplication::focusWidget() == field(), QStringLiteral("the search field has the focus"));
        return true;
    }

    bool switchLayout()
    {
        ++m_switches;
        const BrowserWindow::Layout from = m_w->layout();
        const BrowserWindow::Layout to =
            from == BrowserWindow::Layout::Main ? BrowserWindow::Layout::ExpandFilter : BrowserWindow::Layout::Main;
        const QString text = field()->Text();
        note(QStringLiteral("switch %1 from %2 with \"%3\"")
                 .arg(m_switches)
                 .arg(QLatin1String(m_w->windowName()), text));
        QPointer<BrowserWindow> old = m_w;
        Toolkit::Button *button = from == BrowserWindow::Layout::Main ? m_w->pbElephant() : m_w->pbMouse();

        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(button, Qt::LeftButton);
        BrowserWindow *next = BrowserWindow::existing(to);
        m_switchMs.push_back(msSince(start));

        SOAK_VERIFY(next && next != old, QStringLiteral("the other layout opens"));
        SOAK_VERIFY(!BrowserWindow::existing(from), QStringLiteral("the layout switched away from is closed"));
        settle();
        SOAK_VERIFY(old.isNull(), QStringLiteral("the window switched away from is deleted"));
        m_w = next;
        SOAK_VERIFY(field()->Text() == text, QStringLiteral("the search text travels: \"%1\"").arg(field()->Text()));
        // The new window applies the carried text as typed into a fresh display.
        m_expected = Expected{};
        m_expected.follow(text);
        return checkDisplay() && activate();
    }

    bool openHelp()
    {
        ++m_helps;
        const bool html = m_rng.below(5) == 0;
        QList<Toolkit::Button *> buttons;
        for (Toolkit::Button *b : {m_w->pbHelp1(), m_w->pbHelp2(), m_w->pbHelp3(), m_w->pbHelp4()}) {
            if (b)
                buttons.append(b);
        }
        Toolkit::Button *button = buttons.at(m_rng.below(buttons.size()));
        const qint64 topic = button->objectName().right(1).toLongLong();
        const QStringList parts = Help::helpDict->value(topic).split(QLatin1Char('\t'));
        const QString title = parts.value(0).trimmed();
        const int closeBy = m_rng.below(3);
        note(QStringLiteral("help %1: %2 topic %3, closed by %4")
                 .arg(m_helps)
                 .arg(html ? QStringLiteral("HTML window,") : button->objectName())
                 .arg(topic)
                 .arg(closeBy == 0       ? QStringLiteral("Done")
                          : closeBy == 1 ? QStringLiteral("Escape")
                                         : QStringLiteral("Return")));

        QString className;
        QString shownTitle;
        bool closedByUser = false;
        QPointer<QWidget> window;
        double ms = 0;
        {
            Toolkit::ModalWatcher watcher([&](QWidget *w) {
                window = w;
                className = QString::fromLatin1(w->metaObject()->className());
                shownTitle = w->windowTitle();
                if (closeBy == 0)
                    QTest::mouseClick(w->findChild<Toolkit::Button *>(QStringLiteral("pbDone")), Qt::LeftButton);
                else
                    QTest::keyClick(w, closeBy == 1 ? Qt::Key_Escape : Qt::Key_Return);
                closedByUser = !w->isVisible();
            });
            const auto start = std::chrono::steady_clock::now();
            if (html) {
                // The catalogue's topics are plain text; the HTML window gets the same topic marked up.
                const QString markup = QStringLiteral("<p>")
                    + parts.value(1).trimmed().toHtmlEscaped().replace(QStringLiteral("\n\n"),
                                                                       QStringLiteral("</p><p>"))
                    + QStringLiteral("</p>");
                HelpWindows::showHelpWindow(true, markup, title, 0, 0);
            } else {
                QTest::mouseClick(button, Qt::LeftButton);
            }
            ms = msSince(start);
            SOAK_VERIFY(watcher.shownCount() == 1,
                        QStringLiteral("one help window shown, not %1").arg(watcher.shownCount()));
        }
        m_helpMs.push_back(ms);
        SOAK_VERIFY(className == (html ? QLatin1String("winHelp") : QLatin1String("winHelpSimple")), className);
        SOAK_VERIFY(shownTitle == title, shownTitle);
        SOAK_VERIFY(closedByUser, QStringLiteral("the user's action closes the help window"));
        SOAK_VERIFY(window.isNull(), QStringLiteral("the help window is released once closed"));
        SOAK_VERIFY(m_fx.helpRequests.isEmpty(), QStringLiteral("help went to the recording opener"));
        // The field and the display are as the window left them.
        return checkDisplay() && activate();
    }

    Fixture &m_fx;
    const Plan m_plan;
    Rng m_rng{kSeed};
    QStringList m_keywords;
    QString m_largest;
    std::vector<int> m_switchAt;
    std::vector<int> m_helpAt;
    size_t m_nextSwitch = 0;
    size_t m_nextHelp = 0;

    BrowserWindow *m_w = nullptr;
    Expected m_expected;
    const Shown m_cleared = Shown::cleared();
    const Shown m_initial = Shown::initial();
    Shown m_applied;

    int m_keys = 0;
    int m_switches = 0;
    int m_helps = 0;
    QStringList m_trail;
    QElapsedTimer m_started;
    QList<std::pair<QString, Memory>> m_memory;
    std::vector<double> m_keyMs;
    std::vector<double> m_refillMs;
    std::vector<double> m_largestMs;
    std::vector<double> m_switchMs;
    std::vector<double> m_helpMs;
};

class TestSoak : public QObject
{
    Q_OBJECT

private:
    // The session, then what it must have left: no message, report or quit; memory that stopped
    // growing after the warm-up; once the browser windows are closed, no window and no timer
    // beyond what was there before it.
    static void runSession(const Plan &plan)
    {
        Fixture fx;
        // Real help windows, not the fixture's recording opener.
        HookScope realHelp(&Help::setWindowOpener, Help::HelpWindowOpener(&HelpWindows::showHelpWindow));

        settle();
        QList<QPointer<QWidget>> windowsBefore;
        for (QWidget *w : QApplication::topLevelWidgets())
            windowsBefore.append(w);
        const QStringList timersBefore = registeredTimers();
        const QStringList idleBefore = idleTimerReceivers();

        Session session(fx, plan);
        const bool ran = session.run();
        session.report();
        if (!ran)
            return;

        if (kCheckMemory)
            QVERIFY2(session.growthAfterWarmUp() < kMemoryBound,
                     qPrintable(QStringLiteral("RSS grew by %1 KB after the warm-up")
                                    .arg(double(session.growthAfterWarmUp()) / 1024.0, 0, 'f', 1)));
        QVERIFY2(fx.messages.messages.isEmpty(), qPrintable(fx.messages.messages.join(u'\n')));
        QVERIFY2(fx.reports.isEmpty(), qPrintable(fx.reports.join(u'\n')));
        QVERIFY(fx.quitRequests.isEmpty());

        closeAllBrowserWindows();
        settle();
        QStringList windowsLeft;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!windowsBefore.contains(w))
                windowsLeft.append(objectText(w) + (w->isVisible() ? QStringLiteral(", visible") : QString()));
        }
        QVERIFY2(windowsLeft.isEmpty(), qPrintable(windowsLeft.join(u'\n')));
        const QStringList timersLeft = beyond(registeredTimers(), timersBefore);
        QVERIFY2(timersLeft.isEmpty(), qPrintable(timersLeft.join(u'\n')));
        const QStringList firingLeft = beyond(idleTimerReceivers(), idleBefore);
        QVERIFY2(firingLeft.isEmpty(), qPrintable(firingLeft.join(u'\n')));
    }

private slots:
    void longSession_data()
    {
        QTest::addColumn<int>("switches");
        // One search field for the whole session: what piles up in a window shows undiluted. It
        // runs first, so its memory curve does not start in the heap the other row freed.
        QTest::newRow("one window throughout") << 0;
        QTest::newRow("with layout switches") << kPlan.switches;
    }

    void longSession()
    {
        QFETCH(int, switches);
        QuietRaise quiet;
        runSession({kPlan.keystrokes, switches, kPlan.helpWindows, kPlan.warmUp});
    }
};

VANTREL_TEST_MAIN_GUI(TestSoak)
#include "tst_soak.moc"
