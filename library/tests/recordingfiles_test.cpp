#include "recordfolderscan.h"
#include "recordingfiles.h"
#include "recordlistmodel.h"
#include "recordrowstore.h"
#include "telemetrylogpath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        QFile file(folder + u'/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }
}

QStringList listedNames()
{
    QStringList names;
    for (int row = 0; row < RecordCount; ++row)
        names << ActiveRecordRowStore().cell(row, RecordRowStore::kFileNameColumn);
    return names;
}

}  // namespace

TEST(RecordingFiles, KnowsTheCamerasContainersWhateverTheirCase)
{
    const std::pair<const char*, bool> cases[] = {
        {"REC0001.asf", true},      {"/card/REC0001.ASF", true}, {"clip.mp4", true},  {"clip.MP4", true},
        {"clip.mov", true},         {"clip.Mkv", true},          {"clip.ts", true},   {"clip.TS", true},
        {"clip.LOG", false},        {"clip.mp4.txt", false},     {"clip.m4v", false}, {"clip.tsx", false},
        {"clip", false},            {"", false},                 {".mp4", true},      {"/card.mp4/clip", false},
        {"/card.d/clip.mp4 ", false},
    };
    for (const auto& [path, recording] : cases)
        EXPECT_EQ(IsRecordingFile(QString::fromUtf8(path)), recording) << path;
    EXPECT_EQ(RecordingExtensions().first(), QStringLiteral(".asf"));
    EXPECT_EQ(RecordingFilePatterns(), QStringLiteral("*.asf *.mp4 *.mov *.mkv *.ts"));
}

TEST(RecordingFiles, EveryContainerFindsItsLogBesideIt)
{
    for (const QString& extension : RecordingExtensions())
        EXPECT_EQ(TelemetryLogPath(QStringLiteral("/card/2024_0512_0815") + extension),
                  QStringLiteral("/card/2024_0512_0815.LOG"));
}

TEST(RecordingFiles, AFolderOfAsfOnlyListsAsTheCamerasOwnScan)
{
    QTemporaryDir dir;
    touch(dir.path(), {"REC10.asf", "rec2.ASF", "REC1.asf", "REC1.LOG", "setup.ini", "REC3.asf.part"});
    const QStringList asfOnly = ScanRecordFolder(dir.path(), QStringLiteral(".asf"));
    ASSERT_EQ(asfOnly, (QStringList{"REC1.asf", "rec2.ASF", "REC10.asf"}));
    EXPECT_EQ(ScanRecordFolder(dir.path(), RecordingExtensions()), asfOnly);
    EXPECT_EQ(LoadRecordFolderModel(dir.path(), RecordingExtensions()), 3);
    EXPECT_EQ(listedNames(), asfOnly);
}

TEST(RecordingFiles, AMixedFolderListsItsAsfRowsFirst)
{
    QTemporaryDir dir;
    touch(dir.path(), {"B10.mp4", "b2.MOV", "A.asf", "c.mkv", "Z.ASF", "a.ts", "a.LOG", "x.mp4.txt", "y.m4v"});
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.mkv")));
    const QStringList expected{"A.asf", "Z.ASF", "a.ts", "b2.MOV", "B10.mp4", "c.mkv"};
    EXPECT_EQ(ScanRecordFolder(dir.path(), RecordingExtensions()), expected);
    EXPECT_EQ(LoadRecordFolderModel(dir.path(), RecordingExtensions()), 6);
    EXPECT_EQ(listedNames(), expected);
    // The single-extension scan still sees the camera's own files only.
    EXPECT_EQ(ScanRecordFolder(dir.path(), QStringLiteral(".asf")), (QStringList{"A.asf", "Z.ASF"}));
}
