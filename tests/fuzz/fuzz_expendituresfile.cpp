// expenditures.txt as it arrives from the disk (after deciphering).
#include "FuzzInput.h"

#include "expenditures/ExpendituresFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TKeyValueXmlFile store;
    ExpenditureBook book;
    if (!ExpendituresFile::parseExpenditures(fuzzInput(data, size), store, &book))
        return 0;
    const QByteArray saved = ExpendituresFile::expendituresData(book);
    TKeyValueXmlFile loadStore;
    ExpenditureBook again;
    FUZZ_REQUIRE(ExpendituresFile::parseExpenditures(saved, loadStore, &again).ok);
    FUZZ_REQUIRE(loadStore.SaveToData() == saved); // the streamed file is what the store writes
    FUZZ_REQUIRE(again.Expenditures.size() == book.Expenditures.size());
    for (qsizetype i = 0; i < book.Expenditures.size(); ++i)
        FUZZ_REQUIRE(again.Expenditures[i].Name == book.Expenditures[i].Name);
    return 0;
}
