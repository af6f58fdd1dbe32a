// The organiser's own window on the 10k data set: start to window shown, RefreshNotes with
// every view filled, and saving. Run on the files `marevo_bench --write-data DIR` writes.
#include "BenchData.h"

#include "core/AppDir.h"
#include "core/Clock.h"
#include "ui/dialogs/Messages.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/pages/NotepadPage.h"
#include "ui/mainwindow/Startup.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct Span
{
    double cpu = 0;
    double wall = 0;
};

// Times `run` `times` times and gives the median of each clock.
template <class Run> Span median(int times, Run run)
{
    std::vector<double> cpu;
    std::vector<double> wall;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double c0 = cpuMs();
        run();
        cpu.push_back(cpuMs() - c0);
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    return {cpu[cpu.size() / 2], wall[wall.size() / 2]};
}

template <class Run> Span timedOnce(Run run)
{
    QElapsedTimer timer;
    timer.start();
    const double c0 = cpuMs();
    run();
    return {cpuMs() - c0, static_cast<double>(timer.nsecsElapsed()) / 1e6};
}

Span medianOf(std::vector<Span> spans)
{
    std::vector<double> cpu;
    std::vector<double> wall;
    for (const Span &span : spans) {
        cpu.push_back(span.cpu);
        wall.push_back(span.wall);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    return {cpu[cpu.size() / 2], wall[wall.size() / 2]};
}

void print(const char *what, Span span, double target)
{
    std::printf("  %-52s %9.1f (%9.1f)  target < %3.0f ms: %s\n", what, span.cpu, span.wall, target,
                span.cpu < target ? "met" : "MISSED");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATA_DIR   (a copy of what marevo_bench --write-data wrote)\n", argv[0]);
        return 1;
    }
    QElapsedTimer startWall;
    startWall.start();
    const double startCpu = cpuMs();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The data set's own "now", so the same notes are due on every run.
    Clock::setNowForTesting(DateTime::toQDateTime(BenchData::now()));

    // A message box would wait for a click that never comes; any shown is reported below.
    Messages::setTestMode(true);
    QString error;
    const QString dir = AppDir::resolve(QString::fromLocal8Bit(argv[1]), QApplication::applicationDirPath(), &error);
    if (dir.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    MainWindow window(dir);
    if (Startup::loadData(window))
        return 1;
    window.finishStartup();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QApplication::processEvents();
    const Span start{cpuMs() - startCpu, static_cast<double>(startWall.nsecsElapsed()) / 1e6};

    std::printf("CPU ms, wall ms in brackets; %s, %lld notes\n", qPrintable(QApplication::platformName()),
                static_cast<long long>(window.notes().size()));
    std::printf("  %-52s %9.1f (%9.1f)  target < 500 ms: %s\n", "start to window shown (in the process)", start.cpu,
                start.wall, start.cpu < 500 ? "met" : "MISSED");
    print("RefreshNotes, every view", median(15, [&] { window.RefreshNotes(); }), 50);
    print("RefreshNotes and the repaint after it",
          median(15,
                 [&] {
                     window.RefreshNotes();
                     window.repaint();
                     QApplication::processEvents();
                 }),
          50);
    print("saving: notes, notepad, settings, transactions", median(9, [&] { window.saveAllDataFiles(); }), 50);
    // How long the window itself is held by an everyday save; the files are written on the writer's thread.
    const auto held = [&](auto edit) {
        std::vector<double> wall;
        for (int i = 0; i < 9; ++i) {
            edit(i);
            QElapsedTimer timer;
            timer.start();
            window.SaveAllNotes();
            wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            window.dataFolder().waitForSaves();
        }
        std::sort(wall.begin(), wall.end());
        return wall[wall.size() / 2];
    };
    const double notepad = held([&](int i) { window.notepadPage()->editor()->appendPlainText(QString::number(i)); });
    const double note = held([&](int i) { window.notes()[0].Text += QString::number(i); });
    std::printf("  %-52s %9.1f wall  target < %3.0f ms: %s\n", "window held by the save after a notepad edit",
                notepad, 16.0, notepad < 16 ? "met" : "MISSED");
    std::printf("  %-52s %9.1f wall  target < %3.0f ms: %s\n", "window held by the save after a note edit", note,
                16.0, note < 16 ? "met" : "MISSED");

    // Typing into the search field a letter at a time, each keystroke with the repaint after it. The field is
    // emptied between runs (not timed), so each run starts from the whole list, as a user's first letter does.
    auto *search = window.findChild<QLineEdit *>(QStringLiteral("SearchEdit1"));
    const auto repainted = [&] {
        window.repaint();
        QApplication::processEvents();
    };
    const QString typed = QStringLiteral("zolc");
    std::vector<std::vector<Span>> keys(static_cast<size_t>(typed.size()));
    for (int run = 0; run < 9; ++run) {
        search->clear();
        repainted();
        for (qsizetype k = 0; k < typed.size(); ++k)
            keys[static_cast<size_t>(k)].push_back(timedOnce([&] {
                search->setText(typed.left(k + 1));
                repainted();
            }));
    }
    for (qsizetype k = 0; k < typed.size(); ++k)
        print(qPrintable(QStringLiteral("keystroke and repaint, field then '%1'").arg(typed.left(k + 1))),
              medianOf(keys[static_cast<size_t>(k)]), 30);
    search->clear();
    repainted();

    // "Delete finished tasks..." answered Yes, then its undo with all the window does after it (the redo
    // between runs is not timed).
    auto *undo = window.findChild<QAction *>(QStringLiteral("Undo1"));
    auto *redo = window.findChild<QAction *>(QStringLiteral("Redo1"));
    auto *deleteFinished = window.findChild<QAction *>(QStringLiteral("Deletefinishedtasks1"));
    Messages::queueAnswer(true);
    deleteFinished->trigger();
    repainted();
    std::vector<Span> undos;
    for (int run = 0; run < 9; ++run) {
        undos.push_back(timedOnce([&] {
            undo->trigger();
            repainted();
        }));
        redo->trigger();
        repainted();
    }
    print("undo of \"Delete finished tasks...\" and the repaint", medianOf(undos), 50);
    undo->trigger();
    for (const Messages::Shown &shown : Messages::takeShown())
        std::printf("  message shown: %s\n", qPrintable(shown.text));
    return 0;
}
