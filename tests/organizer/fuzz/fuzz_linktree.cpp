// Stored web-link rows of any level, place and text, as a damaged or foreign
// table may hold them: loaded as the link dialog loads them, walked, written
// back and loaded again, then dropped. A value that is no number may be
// refused; anything else must give a whole tree that comes back as written.
#include "organizer/linkstore.h"

#include "context/context.h"
#include "platform/connectionpool.h"
#include "platform/dataset.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>

namespace {

const QString kTable = QStringLiteral("hiir");
const QString kRoot = QStringLiteral("Internet Health Info Resources");
constexpr int kMostRows = 400;
constexpr size_t kLongestText = 300;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz_linktree: %s\n", what);
    std::abort();
}

// The columns as the delivered template has them.
void MakeDatabase(const QString& folder)
{
    const QString name = QStringLiteral("fuzz_linktree_setup");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(Database::PathIn(folder));
        QSqlQuery make(db);
        if (!db.open() ||
            !make.exec(QStringLiteral("CREATE TABLE hiir (NAbsIndex INTEGER, NLevel INTEGER, NIndex INTEGER, "
                                      "IsFolder BOOLEAN DEFAULT 0, Expanded BOOLEAN DEFAULT 0, URL VARCHAR(255), "
                                      "NDesc VARCHAR(255), Note TEXT)")))
            Fail("cannot make the database");
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// A value as the engine may hold it in a number column: a plausible level,
// any integer, a real, text, nothing, or bytes.
QVariant HostileNumber(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 6)) {
    case 0: return in.ConsumeIntegralInRange<int>(-2, 40);
    case 1: return in.ConsumeIntegral<qint32>();
    case 2: return in.ConsumeIntegral<qint64>();
    case 3: return in.ConsumeFloatingPoint<double>();
    case 4: return QString::fromStdString(in.ConsumeRandomLengthString(12));
    case 5: return QVariant();
    default: return QByteArray::fromStdString(in.ConsumeRandomLengthString(12));
    }
}

// Text of any bytes, or bytes the engine keeps as such.
QVariant HostileText(FuzzedDataProvider& in)
{
    const std::string bytes = in.ConsumeRandomLengthString(kLongestText);
    if (in.ConsumeBool())
        return QByteArray::fromStdString(bytes);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void StoreRows(FuzzedDataProvider& in)
{
    TTransaction transaction(DataFolder);
    QSqlQuery run(ConnectionPool::Connection(DataFolder));
    ConnectionPool::Execute(run, QStringLiteral("DELETE FROM hiir"), {});
    const int rows = in.ConsumeIntegralInRange<int>(0, kMostRows);
    for (int i = 0; i < rows && in.remaining_bytes() > 0; ++i) {
        const QVariantList values{HostileNumber(in), HostileNumber(in), HostileNumber(in), HostileNumber(in),
                                  HostileNumber(in), HostileText(in),    HostileText(in),    HostileText(in)};
        ConnectionPool::Execute(run,
                                QStringLiteral("INSERT INTO hiir (NAbsIndex, NLevel, NIndex, IsFolder, Expanded, URL, "
                                               "NDesc, Note) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                                values);
    }
    transaction.Commit();
}

// Every node where its parent, its level and the pre-order say it is; a web
// site holds nothing.
void Walk(const TLinkTree& tree)
{
    const std::vector<TLinkNode*> nodes = tree.PreOrder();
    if (nodes.empty() || nodes.front() != &tree.Root() || !tree.Root().IsRoot())
        Fail("the walk does not start at the root");
    for (size_t i = 1; i < nodes.size(); ++i) {
        const TLinkNode& node = *nodes[i];
        const TLinkNode* parent = node.Parent();
        if (!parent || !parent->folder || !parent->Holds(node) || node.Holds(*parent))
            Fail("a node outside a folder above it");
        if (node.Level() != parent->Level() + 1 || node.Level() < 1)
            Fail("a node on the wrong level");
        const auto& siblings = parent->Children();
        if (node.Index() < 0 || static_cast<size_t>(node.Index()) >= siblings.size() ||
            siblings[static_cast<size_t>(node.Index())].get() != &node)
            Fail("a node not where its place says");
        if (tree.AbsoluteIndex(node) != static_cast<int>(i) || tree.NodeAt(static_cast<int>(i)) != &node)
            Fail("a node not where the pre-order says");
        if (!node.folder && !node.Children().empty())
            Fail("a web site holding entries");
    }
}

void ExpectSame(const TLinkTree& written, const TLinkTree& read)
{
    const std::vector<TLinkNode*> a = written.PreOrder();
    const std::vector<TLinkNode*> b = read.PreOrder();
    if (a.size() != b.size())
        Fail("a tree written back comes back with another number of nodes");
    for (size_t i = 1; i < a.size(); ++i) {
        const TLinkNode& x = *a[i];
        const TLinkNode& y = *b[i];
        if (x.text != y.text || x.folder != y.folder || x.note != y.note || x.Level() != y.Level() ||
            x.Index() != y.Index() || (!x.folder && x.url != y.url) || (x.folder && x.expanded != y.expanded))
            Fail("a tree written back comes back changed");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    static QTemporaryDir folder;
    if (!folder.isValid())
        Fail("no temporary folder");
    DataFolder = folder.path() + QLatin1Char('/');
    MakeDatabase(DataFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    StoreRows(in);
    std::optional<TLinkTree> loaded;
    try {
        loaded.emplace(LoadLinkTree(kTable, kRoot));
    } catch (const EDatabaseError&) {
        // A level or place that is no 32-bit number: the dialog tells the user and writes nothing.
        return 0;
    }
    Walk(*loaded);
    SaveLinkTree(kTable, *loaded);
    const TLinkTree again = LoadLinkTree(kTable, kRoot);
    Walk(again);
    ExpectSame(*loaded, again);
    return 0;
}
