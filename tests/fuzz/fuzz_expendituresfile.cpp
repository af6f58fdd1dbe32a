// expenditures.txt as it arrives from the disk (after deciphering).
#include "FuzzInput.h"

#include "../expenditures/BookStoreReader.h"
#include "core/KeyValueXmlFile.h"
#include "core/KeyValueXmlScan.h"
#include "expenditures/ExpendituresFile.h"

#include <cstring>

namespace {

// Bit for bit: a NaN amount or date must come back as the same NaN.
bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameBook(const ExpenditureBook &a, const ExpenditureBook &b)
{
    if (!sameDouble(a.AllMoney, b.AllMoney) || a.Expenditures.size() != b.Expenditures.size())
        return false;
    for (qsizetype i = 0; i < a.Expenditures.size(); ++i) {
        const TExpenditure &x = a.Expenditures[i];
        const TExpenditure &y = b.Expenditures[i];
        if (x.Name != y.Name || !sameDouble(x.Value, y.Value) || x.Periodicity != y.Periodicity || x.Type != y.Type ||
            !sameDouble(x.Date, y.Date) || x.Occured != y.Occured || x.IsExpenditure != y.IsExpenditure)
            return false;
    }
    return true;
}

// A text of white space only reads back as empty: the format's rule, not a loss of this reader.
QString readBack(const QString &text)
{
    return KeyValueXmlScan::isBlankText(text) ? QString() : text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzInput(data, size);
    ExpenditureBook book;
    QString rootName;
    const IoResult parsed = ExpendituresFile::parseExpenditures(input, &book, &rootName);
    // The file's own reader finds what a lookup per value in the key-value store finds.
    ExpenditureBook throughStore;
    QString storeRootName;
    const IoResult oracle = readBookThroughStore(input, &throughStore, &storeRootName);
    FUZZ_REQUIRE(parsed.ok == oracle.ok && parsed.error == oracle.error);
    if (!parsed)
        return 0;
    FUZZ_REQUIRE(sameBook(book, throughStore) && rootName == storeRootName);

    const QByteArray saved = ExpendituresFile::expendituresData(book, rootName);
    ExpenditureBook again;
    FUZZ_REQUIRE(ExpendituresFile::parseExpenditures(saved, &again).ok);
    FUZZ_REQUIRE(again.Expenditures.size() == book.Expenditures.size());
    for (qsizetype i = 0; i < book.Expenditures.size(); ++i)
        FUZZ_REQUIRE(again.Expenditures[i].Name == readBack(book.Expenditures[i].Name));
    // The streamed file is what the store writes for the same entries (which it can only hold
    // when no name reads back otherwise).
    if (sameBook(again, book)) {
        TKeyValueXmlFile store;
        FUZZ_REQUIRE(store.LoadFromData(saved).ok);
        FUZZ_REQUIRE(store.SaveToData() == saved);
    }
    return 0;
}
