#include "filenamecodec.h"
#include "memoryrecordrowstore.h"
#include "recordfolderscan.h"
#include "recordlistmodel.h"
#include "recordnameorder.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct Entry {
    enum Kind { File, Folder, LinkToFile, LinkToFolder, DanglingLink } kind;
    const char* name;
};

void makeEntries(const QString& folder, const std::vector<Entry>& entries)
{
    QDir dir(folder);
    for (const Entry& e : entries) {
        const QString path = dir.filePath(QString::fromUtf8(e.name));
        switch (e.kind) {
        case Entry::File: {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << e.name;
            break;
        }
        case Entry::Folder:
            ASSERT_TRUE(dir.mkdir(QString::fromUtf8(e.name))) << e.name;
            break;
        case Entry::LinkToFile: {
            QFile target(path + ".target");
            ASSERT_TRUE(target.open(QIODevice::WriteOnly));
            ASSERT_TRUE(QFile::link(path + ".target", path)) << e.name;
            break;
        }
        case Entry::LinkToFolder:
            ASSERT_TRUE(dir.mkdir(QString::fromUtf8(e.name) + ".d"));
            ASSERT_TRUE(QFile::link(path + ".d", path)) << e.name;
            break;
        case Entry::DanglingLink:
            ASSERT_TRUE(QFile::link(path + ".nowhere", path)) << e.name;
            break;
        }
    }
}

QStringList rowCells(int column)
{
    QStringList cells;
    const RecordRowStore& store = ActiveRecordRowStore();
    for (int row = 0; row < store.rowCount(); ++row)
        cells.append(store.cell(row, column));
    return cells;
}

QSet<QString> asSet(const QStringList& list) { return QSet<QString>(list.begin(), list.end()); }

class RecordListModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetRecordRowStore(nullptr);
        ActiveRecordRowStore().clearRows();
        RecordFolder.clear();
        RecordCount = 0;
        CurrentRecordIndex = -1;
    }
    QTemporaryDir m_dir;
};

struct ScanCase {
    const char* name;
    std::vector<Entry> entries;
    QStringList expected;  // any order
};

class RecordFolderScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(RecordFolderScan, ListsFilesWithTheExtensionOnly)
{
    QTemporaryDir dir;
    makeEntries(dir.path(), GetParam().entries);
    const QStringList found = ScanRecordFolder(dir.path(), ".asf");
    EXPECT_EQ(found.size(), GetParam().expected.size()) << found.join(", ").toStdString();
    EXPECT_EQ(asSet(found), asSet(GetParam().expected)) << found.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordFolderScan,
    ::testing::Values(
        ScanCase{"MixedFolder",
                 {{Entry::File, "A.ASF"}, {Entry::File, "b.asf"}, {Entry::File, "c.asf.txt"}, {Entry::File, "d"},
                  {Entry::Folder, "e.asf"}},
                 {"A.ASF", "b.asf"}},
        ScanCase{"HiddenAndBareExtension", {{Entry::File, ".hidden.asf"}, {Entry::File, ".asf"}},
                 {".hidden.asf", ".asf"}},
        ScanCase{"OnlyTheLastDotCounts",
                 {{Entry::File, "x.txt.AsF"}, {Entry::File, "y.asf."}, {Entry::File, "z.asf "},
                  {Entry::File, "w.asfx"}, {Entry::File, "v.LOG"}},
                 {"x.txt.AsF"}},
        ScanCase{"LinksToFoldersAreFolders",
                 {{Entry::LinkToFolder, "l.asf"}, {Entry::LinkToFile, "f.asf"}, {Entry::DanglingLink, "g.asf"}},
                 {"f.asf", "g.asf"}},
        ScanCase{"EmptyFolder", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordFolderScanPaths, DotInTheFolderNameNeverMatchesADotlessName)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("x.asf");
    ASSERT_TRUE(QDir().mkdir(folder));
    makeEntries(folder, {{Entry::File, "readme"}, {Entry::File, "asf"}});
    EXPECT_TRUE(ScanRecordFolder(folder + "/", ".asf").isEmpty());
}

TEST(RecordFolderScanPaths, NonAsciiNamesAndExtensionsCompareWithoutCase)
{
    QTemporaryDir dir;
    for (const QByteArray& name : {QByteArray("Fahrt-\xc3\xbc.ASF"), QByteArray("bad-\xff.asf"),
                                   QByteArray("x.\xc3\x84SF"), QByteArray("y.asf\xc3\xa9")}) {
        // Raw bytes: a name that is no valid UTF-8 cannot be made through QFile.
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(fd, 0) << name.constData();
        ::close(fd);
    }
    EXPECT_EQ(asSet(ScanRecordFolder(dir.path(), ".asf")),
              (QSet<QString>{QString::fromUtf8("Fahrt-\xc3\xbc.ASF"), DecodeFileName("bad-\xff.asf")}));
    EXPECT_EQ(ScanRecordFolder(dir.path(), QString::fromUtf8(".\xc3\xa4sf")), QStringList{QString::fromUtf8("x.\xc3\x84SF")});
    ::unlink((QFile::encodeName(dir.path()) + "/bad-\xff.asf").constData());  // QTemporaryDir cannot name it
}

TEST(RecordNameOrder, ReadsNamesAsAPersonDoes)
{
    // Each row: a sorts strictly before b.
    const std::pair<const char*, const char*> before[] = {
        {"REC2.asf", "REC10.asf"},
        {"rec2.asf", "REC10.asf"},
        {"REC10.asf", "rec11.asf"},
        {"a.asf", "B.asf"},
        {"B.asf", "c.asf"},
        {"REC9", "REC10"},
        {"REC1", "REC1a"},            // a prefix first
        {"REC1.asf", "REC01.asf"},    // same value: fewer leading zeros first
        {"REC.asf", "rec.asf"},       // same but for case: a total order still
        {"2024_0101_000009", "2024_0101_000010"},
        {"2024_0101_235959", "2024_0102_000000"},
        {"REC99999999999999999999", "REC100000000000000000000"},  // beyond 64 bits
        {"x0", "x00"},
        {"", "a"},
    };
    for (const auto& [a, b] : before) {
        EXPECT_LT(CompareRecordNames(QString::fromLatin1(a), QString::fromLatin1(b)), 0) << a << " < " << b;
        EXPECT_GT(CompareRecordNames(QString::fromLatin1(b), QString::fromLatin1(a)), 0) << b << " > " << a;
    }
    EXPECT_EQ(CompareRecordNames(u"REC0042.asf", u"REC0042.asf"), 0);
}

TEST_F(RecordListModel, RowsFollowTheNameOrderWhateverTheFolderOrder)
{
    const QTemporaryDir& dir = m_dir;
    // Made in a shuffled order; neither it nor its reverse is the name order.
    for (const char* name : {"REC10.asf", "a.asf", "rec2.asf", "REC1.asf", "REC100.asf", "B.asf", "Rec3.asf",
                             "REC10.LOG", "REC20.asf"})
        makeEntries(dir.path(), {{Entry::File, name}});
    const QStringList expected{"a.asf", "B.asf", "REC1.asf", "rec2.asf", "Rec3.asf", "REC10.asf", "REC20.asf",
                               "REC100.asf"};
    EXPECT_EQ(ScanRecordFolder(dir.path(), ".asf"), expected);
    LoadRecordFolderModel(dir.path(), ".asf");
    EXPECT_EQ(rowCells(RecordRowStore::kFileNameColumn), expected);
    EXPECT_EQ(rowCells(RecordRowStore::kNumberColumn).first(), QStringLiteral("  0001"));
}

TEST(RecordFolderScanPaths, NameThatIsNoUtf8KeepsItsBytes)
{
    QTemporaryDir dir;
    const QByteArray name("Fahrt-\xe9t\xe9-\xff.asf");  // Latin-1, as copied from an old system
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const QStringList found = ScanRecordFolder(dir.path(), ".asf");
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(EncodeFileName(found.first()), name);
    EXPECT_EQ(EncodeFileName(dir.path() + '/' + found.first()), path);
    ::unlink(path.constData());  // QTemporaryDir cannot name it
}

TEST(RecordNumber, HasTwoSpacesAndAtLeastFourDigits)
{
    struct Case {
        int row;
        const char* text;
    };
    for (const Case& c : {Case{1, "  0001"}, Case{2, "  0002"}, Case{9999, "  9999"}, Case{10000, "  10000"},
                          Case{12345, "  12345"}})
        EXPECT_EQ(RecordNumberText(c.row), QString::fromLatin1(c.text)) << c.row;
}

TEST_F(RecordListModel, LoadNumbersRowsInEnumerationOrder)
{
    makeEntries(m_dir.path(), {{Entry::File, "A.ASF"}, {Entry::File, "b.asf"}, {Entry::File, "c.asf.txt"},
                               {Entry::File, "d"}, {Entry::Folder, "e.asf"}});
    EXPECT_EQ(LoadRecordFolderModel(m_dir.path(), ".asf"), 2);
    EXPECT_EQ(RecordCount, 2);
    EXPECT_EQ(rowCells(RecordRowStore::kNumberColumn), (QStringList{"  0001", "  0002"}));
    EXPECT_EQ(asSet(rowCells(RecordRowStore::kFileNameColumn)), (QSet<QString>{"A.ASF", "b.asf"}));
    EXPECT_EQ(rowCells(RecordRowStore::kEventColumn), (QStringList{"", ""}));
    // Same order as the folder scan itself.
    EXPECT_EQ(rowCells(RecordRowStore::kFileNameColumn), ScanRecordFolder(m_dir.path(), ".asf"));
}

TEST_F(RecordListModel, FolderGetsExactlyOneTrailingSeparator)
{
    for (const QString& given : {m_dir.path(), m_dir.path() + "/"}) {
        LoadRecordFolderModel(given, ".asf");
        EXPECT_EQ(RecordFolder, m_dir.path() + "/") << given.toStdString();
    }
}

TEST_F(RecordListModel, SecondLoadReplacesRowsAndNumbersFromOne)
{
    QTemporaryDir second;
    makeEntries(m_dir.path(), {{Entry::File, "1.asf"}, {Entry::File, "2.asf"}, {Entry::File, "3.asf"}});
    makeEntries(second.path(), {{Entry::File, "9.asf"}});
    ASSERT_EQ(LoadRecordFolderModel(m_dir.path(), ".asf"), 3);
    CurrentRecordIndex = 2;
    EXPECT_EQ(LoadRecordFolderModel(second.path(), ".asf"), 1);
    EXPECT_EQ(rowCells(RecordRowStore::kNumberColumn), QStringList{"  0001"});
    EXPECT_EQ(rowCells(RecordRowStore::kFileNameColumn), QStringList{"9.asf"});
    EXPECT_EQ(CurrentRecordIndex, 2) << "choosing the row is the panel's part";
}

TEST_F(RecordListModel, LoadWithoutRecordingsLeavesNoCurrentRecord)
{
    QFile plainFile(m_dir.filePath("not-a-folder"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    QTemporaryDir empty;
    makeEntries(m_dir.path(), {{Entry::File, "1.asf"}, {Entry::File, "2.asf"}});
    for (const QString& folder : {m_dir.filePath("missing"), m_dir.filePath("not-a-folder"), empty.path()}) {
        ASSERT_EQ(LoadRecordFolderModel(m_dir.path(), ".asf"), 2);
        CurrentRecordIndex = 1;
        EXPECT_EQ(LoadRecordFolderModel(folder, ".asf"), 0) << folder.toStdString();
        EXPECT_EQ(RecordCount, 0);
        EXPECT_EQ(ActiveRecordRowStore().rowCount(), 0);
        EXPECT_EQ(CurrentRecordIndex, -1);
        EXPECT_EQ(RecordFolder, folder + "/");
    }
}

TEST_F(RecordListModel, RowTenThousandHasFiveDigits)
{
    for (int i = 0; i < 10000; ++i)
        AppendRecordRow(QStringLiteral("r.asf"));
    EXPECT_EQ(RecordCount, 10000);
    EXPECT_EQ(ActiveRecordRowStore().cell(9998, 0), QStringLiteral("  9999"));
    EXPECT_EQ(ActiveRecordRowStore().cell(9999, 0), QStringLiteral("  10000"));
}

TEST_F(RecordListModel, RowsGoToTheRegisteredStore)
{
    MemoryRecordRowStore panelRows;
    SetRecordRowStore(&panelRows);
    AppendRecordRow("a.asf");
    SetRecordRowStore(nullptr);
    EXPECT_EQ(panelRows.rowCount(), 1);
    EXPECT_EQ(panelRows.cell(0, RecordRowStore::kFileNameColumn), QStringLiteral("a.asf"));
    EXPECT_EQ(ActiveRecordRowStore().rowCount(), 0);
    EXPECT_EQ(panelRows.cell(1, 0), QString()) << "rows past the end are empty";
    EXPECT_EQ(panelRows.cell(0, 3), QString()) << "columns past the end are empty";
}

TEST_F(RecordListModel, ChosenFilesFillTheListInTheirOrder)
{
    makeEntries(m_dir.path(), {{Entry::File, "stale.asf"}});
    LoadRecordFolderModel(m_dir.path(), ".asf");
    CurrentRecordIndex = 7;
    FillRecordListFromFiles({"/media/card/DCIM/z.asf", "/media/card/DCIM/a.ASF", "/media/card/DCIM/m.asf"});
    EXPECT_EQ(RecordFolder, QStringLiteral("/media/card/DCIM/"));
    EXPECT_EQ(RecordCount, 3);
    EXPECT_EQ(rowCells(RecordRowStore::kFileNameColumn), (QStringList{"z.asf", "a.ASF", "m.asf"}));
    EXPECT_EQ(rowCells(RecordRowStore::kNumberColumn), (QStringList{"  0001", "  0002", "  0003"}));
    EXPECT_EQ(CurrentRecordIndex, -1) << "no row of the new list is chosen yet";
}

TEST_F(RecordListModel, BareFileNameTakesTheCurrentFolder)
{
    FillRecordListFromFiles({"clip.asf"});
    EXPECT_EQ(RecordFolder, QDir::currentPath() + "/");
    EXPECT_EQ(rowCells(RecordRowStore::kFileNameColumn), QStringList{"clip.asf"});
}

TEST_F(RecordListModel, EmptyChoiceClearsRowsAndKeepsTheFolder)
{
    RecordFolder = "/media/card/";
    AppendRecordRow("a.asf");
    FillRecordListFromFiles({});
    EXPECT_EQ(RecordCount, 0);
    EXPECT_EQ(ActiveRecordRowStore().rowCount(), 0);
    EXPECT_EQ(RecordFolder, QStringLiteral("/media/card/"));
}

} // namespace
