// Key-command files of any content: loaded or refused whole, never crashing;
// a loaded table saves to a file that loads as the same table, and keys
// translate through it without leaving the processor's states.
#include "controls/keycommands.h"

#include <QCoreApplication>
#include <cstdlib>
#include <memory>

namespace {
bool SameEntries(const TEfCommandTable& a, const TEfCommandTable& b)
{
    if (a.Name != b.Name || a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TEfCommandEntry& x = a.Entry(i);
        const TEfCommandEntry& y = b.Entry(i);
        if (x.key1 != y.key1 || x.shift1 != y.shift1 || x.key2 != y.key2 || x.shift2 != y.shift2 ||
            x.command != y.command)
            return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 8192)
        return 0;
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto table = std::make_unique<TEfCommandTable>();
    QString error;
    if (!table->LoadFromBytes(content, &error)) {
        if (error.isEmpty() || table->Count() != 0)
            std::abort();  // a refused file says why and changes nothing
        return 0;
    }
    TEfCommandTable again;
    if (!again.LoadFromBytes(table->SaveToBytes()) || !SameEntries(*table, again))
        std::abort();

    TEfCommandProcessor processor;
    TEfCommandTable& added = processor.AddTable(std::move(table));
    if (processor.FindTable(added.Name) == nullptr)
        std::abort();
    for (int i = 0; i < processor.TableCount(); ++i)
        processor.Table(i).Active = &processor.Table(i) == &added;
    // The file's own bytes as keys and shift states.
    for (size_t i = 0; i + 1 < size; i += 2)
        processor.Translate(data[i], data[i + 1] & 14);
    return 0;
}
