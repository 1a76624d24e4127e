// The demo loader run twice on one data folder: the second run leaves the
// kennel as it is, says so and succeeds.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Result {
    int code = -1;
    QString out, err;
};

Result Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    Result r;
    if (!p.waitForFinished(120000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Result LoadDemo(const QString& folder) {
    return Run(QStringLiteral("/bin/sh"), {QStringLiteral(HARVEL_SOURCE_DIR "/demo/load-demo.sh"),
                                           folder, QStringLiteral(HARVEL_BIN_DIR "/harvel-data")});
}

QString CardCount(const QString& folder) {
    return Run(QStringLiteral(HARVEL_BIN_DIR "/harvel-data"),
               {QStringLiteral("sql"), folder, QStringLiteral("Select COUNT(*) from Main_card")})
        .out.split('\n', Qt::SkipEmptyParts)
        .value(1);
}

TEST(DemoLoader, ASecondRunLeavesTheKennelAndSucceeds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString data = dir.filePath(QStringLiteral("DATA"));
    const Result first = LoadDemo(data);
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    const QString cards = CardCount(data);
    ASSERT_FALSE(cards.isEmpty());
    ASSERT_NE(cards, "0");
    const Result second = LoadDemo(data);
    EXPECT_EQ(second.code, 0) << second.err.toStdString();
    EXPECT_TRUE(second.out.contains(QStringLiteral("již nahrána"))) << second.out.toStdString();
    EXPECT_TRUE(second.err.isEmpty()) << second.err.toStdString();
    EXPECT_EQ(CardCount(data), cards);
}

}  // namespace
