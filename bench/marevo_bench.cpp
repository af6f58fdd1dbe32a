// Loading, saving and refreshing the organiser at scale, against the first, literal algorithms.
#include "BenchData.h"
#include "RefreshChain.h"

#include "core/DataFile.h"
#include "expenditures/DateSort.h"
#include "expenditures/ExpenditureCharts.h"
#include "expenditures/ExpendituresFile.h"
#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "notes/NoteIdentity.h"
#include "history/EditHistory.h"
#include "notes/NotesMoves.h"
#include "notes/NotesFile.h"
#include "protection/FolderCodec.h"
#include "protection/StrongCipher.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kNoteSizes[] = {1000, 10000, 100000};
constexpr int kTransactionSizes[] = {1000, 10000};
constexpr int kPredictFor[] = {90, 3650, 100000};
// The literal sorts take N + 1 passes over N notes and the literal charts a scan of every
// transaction per predicted day: they run only where the whole run stays within minutes.
constexpr int kLiteralNotes = 10000;
constexpr int kLiteralPredictFor = 3650;

const NotesCollection &notesOf(int count)
{
    static std::map<int, NotesCollection> cache;
    auto it = cache.find(count);
    if (it == cache.end())
        it = cache.emplace(count, BenchData::notes(count)).first;
    return it->second;
}

const ExpenditureBook &bookOf(int count)
{
    static std::map<int, ExpenditureBook> cache;
    auto it = cache.find(count);
    if (it == cache.end())
        it = cache.emplace(count, BenchData::book(count)).first;
    return it->second;
}

// The codec of a protected folder, in the strong form; the key is derived once, as at an unlock.
const FolderCodec &codec()
{
    static const FolderCodec kCodec(std::make_shared<TStrongKeyring>(QStringLiteral("zażółć gęślą jaźń")),
                                    StrongCipher::withFreshSalt(StrongCipher::defaultCost()), nullptr);
    return kCodec;
}

QByteArray encoded(const QByteArray &plain)
{
    QByteArray stored;
    if (!codec().encode(plain, &stored))
        qFatal("cannot encipher");
    return stored;
}

ChainOptions optionsFor(int predictFor)
{
    ChainOptions options;
    options.now = BenchData::now();
    options.expenditures.PredictFor = predictFor;
    return options;
}

std::string name(const std::string &what, std::initializer_list<std::pair<const char *, int>> sizes,
                 const char *form = nullptr)
{
    std::string text = what;
    for (const auto &[key, value] : sizes)
        text += "/" + std::string(key) + ":" + std::to_string(value);
    if (form)
        text += "/" + std::string(form);
    return text;
}

benchmark::internal::Benchmark *timed(benchmark::internal::Benchmark *bench)
{
    return bench->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.3);
}

// --- loading and saving ---------------------------------------------------------------------

QByteArray notesBytes(int count)
{
    return NotesFile::notesData(notesOf(count));
}

QByteArray bookBytes(int count)
{
    return ExpendituresFile::expendituresData(bookOf(count));
}

// --- the strong form ------------------------------------------------------------------------

// The key is derived once per unlock, at the cost every file's header names: this is the wait
// at start. The stream itself must keep saving the 10k notes within the save budget.
void registerStrongBenchmarks()
{
    benchmark::RegisterBenchmark("strong/derive key/default cost",
                                 [](benchmark::State &state) {
                                     const TSecretBytes phrase =
                                         TSecretBytes::fromPassPhrase(QStringLiteral("zażółć gęślą jaźń"));
                                     const TStrongParams params =
                                         StrongCipher::withFreshSalt(StrongCipher::defaultCost());
                                     for (auto _ : state)
                                         if (!TStrongKey::derive(phrase, params))
                                             state.SkipWithError("cannot derive the key");
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    for (const bool reading : {false, true}) {
        timed(benchmark::RegisterBenchmark(
            name(reading ? "strong/decipher notes" : "strong/encipher notes", {{"n", 10000}}).c_str(),
            [reading](benchmark::State &state) {
                TStrongKeyring keyring(QStringLiteral("zażółć gęślą jaźń"));
                const auto key = keyring.keyFor(StrongCipher::withFreshSalt(StrongCipher::minimalCost()));
                const QByteArray plain = notesBytes(10000);
                const QByteArray stored = StrongCipher::encipher(plain, *key);
                for (auto _ : state) {
                    if (reading) {
                        if (StrongCipher::decipher(stored, *key).plain.size() != plain.size())
                            state.SkipWithError("cannot decipher");
                    } else {
                        benchmark::DoNotOptimize(StrongCipher::encipher(plain, *key));
                    }
                }
                state.counters["MB"] = static_cast<double>(stored.size()) / 1e6;
            }));
    }
}

// The calendar file of 10k notes, written and read as the menu commands do; each under 200 ms.
void registerCalendarBenchmarks()
{
    constexpr int n = 10000;
    const TDateTime now = DateTime::encode(2026, 3, 14, 9, 30);
    const auto identified = [] {
        NotesCollection notes = notesOf(n);
        NoteIdentity::assignMissing(notes);
        return notes;
    };
    timed(benchmark::RegisterBenchmark(name("export/ics", {{"n", n}}).c_str(),
                                       [identified, now](benchmark::State &state) {
                                           const NotesCollection notes = identified();
                                           for (auto _ : state)
                                               benchmark::DoNotOptimize(IcsExport::exportNotes(notes, {now, true, 1}));
                                       }));
    timed(benchmark::RegisterBenchmark(name("import/ics", {{"n", n}}).c_str(),
                                       [identified, now](benchmark::State &state) {
                                           const QByteArray file = IcsExport::exportNotes(identified(), {now, true, 1});
                                           for (auto _ : state) {
                                               NotesCollection notes;
                                               IcsImport::merge(notes, IcsImport::parse(file, now).notes);
                                               if (notes.size() != n)
                                                   state.SkipWithError("cannot read the calendar");
                                               benchmark::DoNotOptimize(notes);
                                           }
                                           state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
                                       }));
}

void registerFileBenchmarks()
{
    for (const bool enciphered : {false, true}) {
        const char *form = enciphered ? "enciphered" : "plain";
        for (const int n : kNoteSizes) {
            timed(benchmark::RegisterBenchmark(name("load/notes", {{"n", n}}, form).c_str(),
                                               [n, enciphered](benchmark::State &state) {
                                                   const QByteArray plain = notesBytes(n);
                                                   const QByteArray stored = enciphered ? encoded(plain) : plain;
                                                   for (auto _ : state) {
                                                       QByteArray bytes = stored;
                                                       if (enciphered && !codec().decode(stored, &bytes))
                                                           state.SkipWithError("cannot decipher");
                                                       NotesCollection notes;
                                                       if (!NotesFile::parseNotes(bytes, &notes) || notes.size() != n)
                                                           state.SkipWithError("cannot read the notes");
                                                       benchmark::DoNotOptimize(notes);
                                                   }
                                                   state.counters["MB"] = static_cast<double>(stored.size()) / 1e6;
                                               }));
            timed(benchmark::RegisterBenchmark(name("save/notes", {{"n", n}}, form).c_str(),
                                               [n, enciphered](benchmark::State &state) {
                                                   for (auto _ : state) {
                                                       QByteArray bytes = NotesFile::notesData(notesOf(n));
                                                       if (enciphered)
                                                           bytes = encoded(bytes);
                                                       benchmark::DoNotOptimize(bytes);
                                                   }
                                               }));
        }
        for (const int t : kTransactionSizes) {
            timed(benchmark::RegisterBenchmark(
                name("load/transactions", {{"t", t}}, form).c_str(), [t, enciphered](benchmark::State &state) {
                    const QByteArray plain = bookBytes(t);
                    const QByteArray stored = enciphered ? encoded(plain) : plain;
                    for (auto _ : state) {
                        QByteArray bytes = stored;
                        if (enciphered && !codec().decode(stored, &bytes))
                            state.SkipWithError("cannot decipher");
                        ExpenditureBook book;
                        if (!ExpendituresFile::parseExpenditures(bytes, &book) || book.Expenditures.size() != t)
                            state.SkipWithError("cannot read the transactions");
                        benchmark::DoNotOptimize(book);
                    }
                    state.counters["MB"] = static_cast<double>(stored.size()) / 1e6;
                }));
            timed(benchmark::RegisterBenchmark(name("save/transactions", {{"t", t}}, form).c_str(),
                                               [t, enciphered](benchmark::State &state) {
                                                   for (auto _ : state) {
                                                       QByteArray bytes = ExpendituresFile::expendituresData(bookOf(t));
                                                       if (enciphered)
                                                           bytes = encoded(bytes);
                                                       benchmark::DoNotOptimize(bytes);
                                                   }
                                               }));
        }

        // Both files through the real saver and loader: atomic write to disk, read back.
        const int n = 10000;
        const int t = 10000;
        timed(benchmark::RegisterBenchmark(
            name("disk/save both", {{"n", n}, {"t", t}}, form).c_str(), [enciphered](benchmark::State &state) {
                QTemporaryDir dir;
                const DataFileCodec *with = enciphered ? &codec() : nullptr;
                for (auto _ : state) {
                    const bool saved = DataFile::save(dir.filePath(QStringLiteral("data.txt")),
                                                      NotesFile::notesData(notesOf(n)), with) &&
                                       DataFile::save(dir.filePath(QStringLiteral("expenditures.txt")),
                                                      ExpendituresFile::expendituresData(bookOf(t)), with);
                    if (!saved)
                        state.SkipWithError("cannot save");
                }
            }));
        timed(benchmark::RegisterBenchmark(
            name("disk/load both", {{"n", n}, {"t", t}}, form).c_str(), [enciphered](benchmark::State &state) {
                QTemporaryDir dir;
                const DataFileCodec *with = enciphered ? &codec() : nullptr;
                DataFile::save(dir.filePath(QStringLiteral("data.txt")), NotesFile::notesData(notesOf(n)), with);
                DataFile::save(dir.filePath(QStringLiteral("expenditures.txt")),
                               ExpendituresFile::expendituresData(bookOf(t)), with);
                const QDateTime now = DateTime::toQDateTime(BenchData::now());
                for (auto _ : state) {
                    NotesCollection notes;
                    ExpenditureBook book;
                    const auto notesLoad = DataFile::load(
                        dir.filePath(QStringLiteral("data.txt")), with,
                        [&](const QByteArray &plain) { return NotesFile::parseNotes(plain, &notes); }, now);
                    const auto bookLoad = DataFile::load(
                        dir.filePath(QStringLiteral("expenditures.txt")), with,
                        [&](const QByteArray &plain) { return ExpendituresFile::parseExpenditures(plain, &book); },
                        now);
                    if (notesLoad.outcome != DataFile::Outcome::Loaded || bookLoad.outcome != DataFile::Outcome::Loaded)
                        state.SkipWithError("cannot load");
                    benchmark::DoNotOptimize(notes);
                    benchmark::DoNotOptimize(book);
                }
            }));
    }
}

// --- refreshing -----------------------------------------------------------------------------

template <class Refresh> void notesRefresh(benchmark::State &state, int n, Refresh refresh)
{
    const ChainOptions options = optionsFor(90);
    NotesCollection notes;
    for (auto _ : state) {
        state.PauseTiming();
        notes = notesOf(n); // the loaded order each time: the sort has its full work
        notes.detach();
        state.ResumeTiming();
        NotesViews views = refresh(notes, options);
        benchmark::DoNotOptimize(views);
    }
}

template <class Refresh> void expenditureRefresh(benchmark::State &state, int t, int p, Refresh refresh)
{
    const ChainOptions options = optionsFor(p);
    ExpenditureBook book;
    for (auto _ : state) {
        state.PauseTiming();
        book = bookOf(t); // as loaded: the due transactions are booked again every time
        book.Expenditures.detach();
        state.ResumeTiming();
        ExpenditurePageData page = refresh(book, options);
        benchmark::DoNotOptimize(page);
    }
}

template <class RefreshNotes, class RefreshBook>
void wholeRefresh(benchmark::State &state, int n, int t, int p, RefreshNotes refreshNotes, RefreshBook refreshBook)
{
    const ChainOptions options = optionsFor(p);
    NotesCollection notes;
    ExpenditureBook book;
    for (auto _ : state) {
        state.PauseTiming();
        notes = notesOf(n);
        notes.detach();
        book = bookOf(t);
        book.Expenditures.detach();
        state.ResumeTiming();
        NotesViews views = refreshNotes(notes, options);
        ExpenditurePageData page = refreshBook(book, options);
        benchmark::DoNotOptimize(views);
        benchmark::DoNotOptimize(page);
    }
}

NotesViews optimisedNotes(NotesCollection &notes, const ChainOptions &options)
{
    return refreshNotesViews(notes, options);
}
ExpenditurePageData optimisedBook(ExpenditureBook &book, const ChainOptions &options)
{
    return refreshExpenditurePage(book, options);
}
NotesViews literalNotes(NotesCollection &notes, const ChainOptions &options)
{
    return Literal::refreshNotesViews(notes, options);
}
ExpenditurePageData literalBook(ExpenditureBook &book, const ChainOptions &options)
{
    return Literal::refreshExpenditurePage(book, options);
}

void registerRefreshBenchmarks()
{
    for (const int n : kNoteSizes) {
        timed(benchmark::RegisterBenchmark(name("refresh/notes views", {{"n", n}}).c_str(),
                                           [n](benchmark::State &state) { notesRefresh(state, n, optimisedNotes); }));
        if (n <= kLiteralNotes) {
            timed(benchmark::RegisterBenchmark(name("literal/notes views", {{"n", n}}).c_str(),
                                               [n](benchmark::State &state) { notesRefresh(state, n, literalNotes); }));
        }
    }
    for (const int t : kTransactionSizes) {
        for (const int p : kPredictFor) {
            timed(benchmark::RegisterBenchmark(
                name("refresh/expenditures", {{"t", t}, {"p", p}}).c_str(),
                [t, p](benchmark::State &state) { expenditureRefresh(state, t, p, optimisedBook); }));
            if (p <= kLiteralPredictFor) {
                timed(benchmark::RegisterBenchmark(
                    name("literal/expenditures", {{"t", t}, {"p", p}}).c_str(),
                    [t, p](benchmark::State &state) { expenditureRefresh(state, t, p, literalBook); }));
            }
            // The three charts alone, on a book already brought up to date: what the page redraws.
            timed(benchmark::RegisterBenchmark(
                name("refresh/charts", {{"t", t}, {"p", p}}).c_str(), [t, p](benchmark::State &state) {
                    ExpenditureBook book = bookOf(t);
                    const ChainOptions options = optionsFor(p);
                    refreshExpenditurePage(book, options);
                    const TDateTime today = DateTime::dateOf(options.now);
                    for (auto _ : state) {
                        PredictionChart prediction = ExpenditureCharts::prediction(book, today, p);
                        HistoryChart history = ExpenditureCharts::history(book.Expenditures, today);
                        CategoryChart categories = ExpenditureCharts::categories(
                            book.Expenditures, today, options.period, options.expenditures, options.formats);
                        benchmark::DoNotOptimize(prediction);
                        benchmark::DoNotOptimize(history);
                        benchmark::DoNotOptimize(categories);
                    }
                }));
        }
    }
    // The steps of the notes views one by one, on notes already sorted: where the time goes.
    for (const int n : {10000, 100000}) {
        const auto step = [n](const char *what, auto run) {
            timed(benchmark::RegisterBenchmark(name(std::string("step/") + what, {{"n", n}}).c_str(),
                                               [n, run](benchmark::State &state) {
                                                   const ChainOptions options = optionsFor(90);
                                                   NotesCollection notes = notesOf(n);
                                                   refreshNotesViews(notes, options);
                                                   for (auto _ : state)
                                                       run(notes, options);
                                               }));
        };
        timed(benchmark::RegisterBenchmark(name("step/sort and renumber", {{"n", n}}).c_str(),
                                           [n](benchmark::State &state) {
                                               NotesCollection notes;
                                               for (auto _ : state) {
                                                   state.PauseTiming();
                                                   notes = notesOf(n);
                                                   notes.detach();
                                                   state.ResumeTiming();
                                                   applySortOrder(notes, NotesSortOrder::ByPercentDone);
                                                   renumberNotes(notes);
                                               }
                                           }));
        step("notes list rows", [](const NotesCollection &notes, const ChainOptions &options) {
            benchmark::DoNotOptimize(notesListRows(notes, options.filter, options.now));
        });
        step("upcoming events", [](const NotesCollection &notes, const ChainOptions &options) {
            benchmark::DoNotOptimize(upcomingEvents(notes, options.filter, options.upcomingDays, options.now));
        });
        step("week schedule", [](const NotesCollection &notes, const ChainOptions &options) {
            const QDate today = DateTime::toQDate(options.now);
            benchmark::DoNotOptimize(weekSchedule(notes, today, today, options.week, options.formats));
        });
        step("alarms and counters", [](const NotesCollection &notes, const ChainOptions &options) {
            benchmark::DoNotOptimize(alarmEntries(notes, options.alertHours, options.now));
            benchmark::DoNotOptimize(countNotes(notes));
        });
    }
    timed(benchmark::RegisterBenchmark("step/transaction rows/t:10000", [](benchmark::State &state) {
        const ChainOptions options = optionsFor(90);
        const ExpenditureCollection &list = bookOf(10000).Expenditures;
        for (auto _ : state) {
            ExpenditureRows rows;
            for (qsizetype i = 0; i < list.size(); ++i)
                rows.append(ExpenditureRowText::pageRow(list, i, options.expenditures, options.formats));
            benchmark::DoNotOptimize(rows);
        }
    }));
    timed(benchmark::RegisterBenchmark("step/date sorts/t:10000", [](benchmark::State &state) {
        ExpenditureCollection list;
        for (auto _ : state) {
            state.PauseTiming();
            list = bookOf(10000).Expenditures;
            list.detach();
            state.ResumeTiming();
            sortByDateDescending(list);
            sortByDateAscending(list);
        }
    }));

    const struct
    {
        int n, t, p;
    } chains[] = {{1000, 1000, 90}, {10000, 10000, 3650}, {100000, 10000, 3650}, {10000, 10000, 100000}};
    for (const auto &c : chains) {
        timed(benchmark::RegisterBenchmark(
            name("refresh/whole chain", {{"n", c.n}, {"t", c.t}, {"p", c.p}}).c_str(),
            [c](benchmark::State &state) { wholeRefresh(state, c.n, c.t, c.p, optimisedNotes, optimisedBook); }));
        if (c.n <= kLiteralNotes && c.p <= kLiteralPredictFor) {
            timed(benchmark::RegisterBenchmark(
                name("literal/whole chain", {{"n", c.n}, {"t", c.t}, {"p", c.p}}).c_str(),
                [c](benchmark::State &state) { wholeRefresh(state, c.n, c.t, c.p, literalNotes, literalBook); }));
        }
    }
}

// --- same results ---------------------------------------------------------------------------

// The baseline is only worth comparing with if it computes the same thing.
bool sameResults(int n, int t, int p)
{
    const ChainOptions options = optionsFor(p);
    NotesCollection fastNotes = notesOf(n);
    NotesCollection slowNotes = notesOf(n);
    const NotesViews fastViews = refreshNotesViews(fastNotes, options);
    const NotesViews slowViews = Literal::refreshNotesViews(slowNotes, options);
    ExpenditureBook fastBook = bookOf(t);
    ExpenditureBook slowBook = bookOf(t);
    const ExpenditurePageData fastPage = refreshExpenditurePage(fastBook, options);
    const ExpenditurePageData slowPage = Literal::refreshExpenditurePage(slowBook, options);

    QString difference = differenceBetween(fastNotes, fastViews, slowNotes, slowViews);
    if (difference.isEmpty())
        difference = differenceBetween(fastBook, fastPage, slowBook, slowPage);
    std::printf("Results at n:%d t:%d p:%d: %s (%lld list rows, %lld upcoming, %lld transactions booked)\n", n, t, p,
                difference.isEmpty() ? "identical to the literal algorithms" : qPrintable(difference),
                static_cast<long long>(fastViews.rows.size()), static_cast<long long>(fastViews.upcoming.size()),
                static_cast<long long>(fastPage.booked));
    return difference.isEmpty();
}

// --- report ---------------------------------------------------------------------------------

// On a shared machine the wall clock also counts other programs' turns; the process's CPU time
// is what the organiser itself costs, so the summaries show both and judge by CPU time.
class RatioReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_ms[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const
    {
        std::printf("\nOptimised against the literal algorithms (same run, same data; CPU ms, wall ms in brackets):\n");
        std::printf("  %-36s %22s %22s %14s %9s\n", "refresh", "optimised", "literal", "optimised/lit.", "speed-up");
        for (const auto &[key, slow] : m_ms) {
            if (key.rfind("literal/", 0) != 0)
                continue;
            const auto it = m_ms.find("refresh/" + key.substr(8));
            if (it == m_ms.end())
                continue;
            const Times &fast = it->second;
            std::printf("  %-36s %10.3f (%9.3f) %10.1f (%9.1f) %14.6f %8.0fx\n", key.substr(8).c_str(), fast.cpu,
                        fast.real, slow.cpu, slow.real, fast.cpu / slow.cpu, slow.cpu / fast.cpu);
        }
    }

    void printTargets() const
    {
        std::printf(
            "\nTargets (10k notes, 10k transactions, PredictFor 3650 unless said; CPU ms, wall ms in brackets):\n");
        const auto line = [this](const char *what, const std::string &key, double limit) {
            const auto it = m_ms.find(key);
            if (it == m_ms.end())
                return;
            std::printf("  %-44s %10.3f (%10.3f)  target < %4.0f ms: %s\n", what, it->second.cpu, it->second.real,
                        limit, it->second.cpu < limit ? "met" : "MISSED");
        };
        line("refresh chain without widgets", "refresh/whole chain/n:10000/t:10000/p:3650", 20);
        const auto fast = m_ms.find("refresh/whole chain/n:10000/t:10000/p:3650");
        const auto slow = m_ms.find("literal/whole chain/n:10000/t:10000/p:3650");
        if (fast != m_ms.end() && slow != m_ms.end()) {
            const double speedUp = slow->second.cpu / fast->second.cpu;
            std::printf("  %-44s %10.0fx                target >= 100x: %s\n", "  faster than the literal chain",
                        speedUp, speedUp >= 100 ? "met" : "MISSED");
        }
        line("saving both files to disk, plain", "disk/save both/n:10000/t:10000/plain", 50);
        line("saving both files to disk, enciphered", "disk/save both/n:10000/t:10000/enciphered", 50);
        line("refresh chain with 100k notes", "refresh/whole chain/n:100000/t:10000/p:3650", 200);
        line("chart update with PredictFor 100000", "refresh/charts/t:10000/p:100000", 100);
    }

private:
    struct Times
    {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> m_ms;
};

bool writeDataSet(const QString &dir, int count)
{
    // The set (10k unless told) as the organiser's own files, to time the program itself on it.
    QDir().mkpath(dir);
    return DataFile::save(QDir(dir).filePath(QStringLiteral("data.txt")), NotesFile::notesData(notesOf(count)),
                          nullptr) &&
           DataFile::save(QDir(dir).filePath(QStringLiteral("expenditures.txt")),
                          ExpendituresFile::expendituresData(bookOf(count)), nullptr);
}

} // namespace

// A keystroke in the search field: the whole notes refresh under the typed words, as the window runs it
// ("" is the same refresh without a search), and the search's own part, one pass of matching over every
// note. The undo of "Delete finished tasks...": the history's step back with the window's comparison,
// then with the refresh of what it restored.
void registerSearchAndUndoBenchmarks()
{
    constexpr int n = 100000;
    for (const char *typed : {"", "z", "zolc", "note 7 call"}) {
        timed(benchmark::RegisterBenchmark(name(std::string("search/keystroke '") + typed + "'", {{"n", n}}).c_str(),
                                           [typed](benchmark::State &state) {
                                               ChainOptions options = optionsFor(90);
                                               NotesCollection notes = notesOf(n);
                                               options.filter.search = SearchQuery(QString::fromUtf8(typed));
                                               refreshNotesViews(notes, options);
                                               for (auto _ : state)
                                                   benchmark::DoNotOptimize(refreshNotesViews(notes, options));
                                           }));
        timed(benchmark::RegisterBenchmark(name(std::string("search/matching '") + typed + "'", {{"n", n}}).c_str(),
                                           [typed](benchmark::State &state) {
                                               const NotesCollection &notes = notesOf(n);
                                               const SearchQuery search(QString::fromUtf8(typed));
                                               benchmark::DoNotOptimize(countNotes(notes, search));
                                               for (auto _ : state)
                                                   benchmark::DoNotOptimize(countNotes(notes, search));
                                           }));
    }
    // The window's path for a change of the search alone: the last refresh's views narrowed, each keystroke
    // after the one before it (whose matches it starts from when it only adds letters).
    const std::pair<const char *, const char *> keystrokes[] = {
        {"", "z"}, {"z", "zo"}, {"zo", "zol"}, {"zol", "zolc"}, {"note 7 cal", "note 7 call"}, {"zolc", "zol"}};
    for (const auto &[before, typed] : keystrokes) {
        timed(benchmark::RegisterBenchmark(
            name(std::string("search/narrowed '") + before + "' to '" + typed + "'", {{"n", n}}).c_str(),
            [before = before, typed = typed](benchmark::State &state) {
                const ChainOptions options = optionsFor(90);
                NotesCollection notes = notesOf(n);
                SearchableViews kept;
                refreshNotesViews(notes, options, &kept);
                const SearchQuery first(QString::fromUtf8(before));
                const SearchQuery second(QString::fromUtf8(typed));
                kept.narrowed(second); // the folds, made at the first search
                for (auto _ : state) {
                    state.PauseTiming();
                    kept.narrowed(first);
                    state.ResumeTiming();
                    benchmark::DoNotOptimize(kept.narrowed(second));
                }
            }));
    }
    for (const bool withRefresh : {false, true}) {
        timed(benchmark::RegisterBenchmark(
            name(withRefresh ? "undo/delete finished tasks, refreshed" : "undo/delete finished tasks", {{"n", n}})
                .c_str(),
            [withRefresh](benchmark::State &state) {
                const ChainOptions options = optionsFor(90);
                NotesCollection notes = notesOf(n);
                refreshNotesViews(notes, options);
                EditHistory history;
                history.reset({notes, options.sortOrder, {}});
                deleteFinishedNotes(notes);
                refreshNotesViews(notes, options);
                history.record({notes, options.sortOrder, {}});
                for (auto _ : state) {
                    notes = history.undo()->notes;
                    if (withRefresh)
                        benchmark::DoNotOptimize(refreshNotesViews(notes, options));
                    benchmark::DoNotOptimize(history.record({notes, options.sortOrder, {}}));
                    state.PauseTiming();
                    notes = history.redo()->notes;
                    refreshNotesViews(notes, options);
                    state.ResumeTiming();
                }
            }));
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--write-data") {
        const bool written = writeDataSet(QString::fromLocal8Bit(argv[2]), argc == 4 ? std::atoi(argv[3]) : 10000);
        std::printf("%s\n", written ? "written" : "cannot write the data set");
        return written ? 0 : 1;
    }

    // --no-check skips comparing the results first (a few seconds), for profiling one benchmark.
    bool check = true;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--no-check") {
            check = false;
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::printf("Literal algorithms run up to %d notes and PredictFor %d only.\n", kLiteralNotes, kLiteralPredictFor);
    bool same = true;
    if (check) {
        same = sameResults(1000, 1000, 90);
        same = sameResults(10000, 10000, 3650) && same;
    }

    registerFileBenchmarks();
    registerCalendarBenchmarks();
    registerStrongBenchmarks();
    registerRefreshBenchmarks();
    registerSearchAndUndoBenchmarks();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    reporter.printTargets();
    benchmark::Shutdown();
    return same ? 0 : 2;
}
