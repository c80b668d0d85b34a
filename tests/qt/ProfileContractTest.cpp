// One contract for every settings store: the in-memory profile and the
// QSettings one behave alike, so tests that use the former speak for both.
#include <functional>
#include <memory>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "fw/Profile.h"
#include "model/Settings.h"
#include "qt/QtProfile.h"

namespace {

struct ProfileKind {
    const char* name;
    std::function<std::unique_ptr<CProfile>(const QString& iniFile)> make;
};

const ProfileKind kMemory{"Memory", [](const QString&) -> std::unique_ptr<CProfile> {
                              return std::make_unique<CMemoryProfile>();
                          }};
const ProfileKind kQt{"QSettings", [](const QString& ini) -> std::unique_ptr<CProfile> {
                          return std::make_unique<CQtProfile>(ini);
                      }};

void PrintTo(const ProfileKind& k, std::ostream* os) {
    *os << k.name;
}

class ProfileContract : public ::testing::TestWithParam<ProfileKind> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_ini = m_dir.filePath(QStringLiteral("Tavreler.ini"));
        m_profile = GetParam().make(m_ini);
    }
    CProfile& P() { return *m_profile; }

    QTemporaryDir m_dir;
    QString m_ini;
    std::unique_ptr<CProfile> m_profile;
};

TEST_P(ProfileContract, MissingValuesGiveTheDefaultAndReadingNeverWrites) {
    EXPECT_EQ(P().GetProfileInt("Tavrel", "WakuColor", 0xC0C0C0), 0xC0C0C0);
    EXPECT_EQ(P().GetProfileString("Tavrel", "LineHeight", "1.5"), "1.5");
    // Had the first reads stored their defaults, these would come back instead.
    EXPECT_EQ(P().GetProfileInt("Tavrel", "WakuColor", 7), 7);
    EXPECT_EQ(P().GetProfileString("Tavrel", "LineHeight", "2"), "2");
    EXPECT_EQ(ReadSettingInt(settings::InitFile, P()), 1);
    EXPECT_EQ(ReadSettingString(settings::WindowRect, P()), "100,100,700,500");
    EXPECT_EQ(P().GetProfileInt("System", "InitFile", 0), 0);
}

TEST_P(ProfileContract, IntegersRoundTrip) {
    const struct {
        const char* entry;
        int value;
    } cases[] = {
        {"Zero", 0},
        {"One", 1},
        {"NegativeSize", -12},
        {"Colour", 0xC0C0C0},
        {"SelColor", 0xEED2C1},
        {"Max", INT_MAX},
        {"Min", INT_MIN},
        {"Weight", 700},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(P().WriteProfileInt("Tavrel", c.entry, c.value)) << c.entry;
    for (const auto& c : cases)
        EXPECT_EQ(P().GetProfileInt("Tavrel", c.entry, 12345), c.value) << c.entry;
}

// Texts that a careless INI writer mangles: separators, quotes, escapes,
// surrounding blanks, a leading "@" (QSettings' own marker) and Japanese.
struct TextCase {
    const char* name;
    const char* value;
};
const TextCase kTexts[] = {
    {"Empty", ""},
    {"Japanese", "ＭＳ Ｐゴシック"},
    {"WindowRect", "100,100,700,500"},
    {"CommaAndSpace", "a, b"},
    {"Semicolon", "x;y"},
    {"Equals", "a=b"},
    {"Hash", "#not a comment"},
    {"Quotes", "\"quoted\""},
    {"LeadingTrailingBlanks", "  padded  "},
    {"AtSign", "@Variant(x)"},
    {"WindowsPath", "C:\\Users\\名前\\check;1.tvr"},
    {"UnixPath", "/home/user/シート #2.tvr"},
    {"Percent", "100%"},
    {"NumberLike", "1.5"},
};

TEST_P(ProfileContract, StringsRoundTrip) {
    for (const auto& c : kTexts)
        EXPECT_TRUE(P().WriteProfileString("Strings", c.name, c.value)) << c.name;
    for (const auto& c : kTexts)
        EXPECT_EQ(P().GetProfileString("Strings", c.name, "default"), c.value) << c.name;
}

TEST_P(ProfileContract, AStringReadAsAnIntegerIsParsedOrGivesTheDefault) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {
        {"abc", 99}, {"", 99}, {"12abc", 99}, {"1.5", 99}, {"true", 99}, {"42", 42}, {"-7", -7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        ASSERT_TRUE(P().WriteProfileString("Tavrel", "Value", c.stored));
        EXPECT_EQ(P().GetProfileInt("Tavrel", "Value", 99), c.expected);
    }
}

TEST_P(ProfileContract, AnIntegerReadAsAStringIsItsDecimalText) {
    ASSERT_TRUE(P().WriteProfileInt("LineFont", "Size", -12));
    EXPECT_EQ(P().GetProfileString("LineFont", "Size", "x"), "-12");
}

TEST_P(ProfileContract, SectionsAndNamesAreKeptApart) {
    ASSERT_TRUE(P().WriteProfileInt("LineFont", "Size", 20));
    ASSERT_TRUE(P().WriteProfileInt("ColumnFont", "Size", 10));
    ASSERT_TRUE(P().WriteProfileString("Window size", "Rect", "1,2,3,4"));
    ASSERT_TRUE(P().WriteProfileString("Recent File List", "File1", "/tmp/a.tvr"));
    // Separators of the underlying store stay part of the name.
    ASSERT_TRUE(P().WriteProfileInt("A/B", "C", 1));
    ASSERT_TRUE(P().WriteProfileInt("A", "B/C", 2));
    ASSERT_TRUE(P().WriteProfileInt("A\\B", "C", 3));
    ASSERT_TRUE(P().WriteProfileInt("A%2FB", "C", 4));

    EXPECT_EQ(P().GetProfileInt("LineFont", "Size", 0), 20);
    EXPECT_EQ(P().GetProfileInt("ColumnFont", "Size", 0), 10);
    EXPECT_EQ(P().GetProfileString("Window size", "Rect", ""), "1,2,3,4");
    EXPECT_EQ(P().GetProfileString("Window", "size/Rect", "none"), "none");
    EXPECT_EQ(P().GetProfileString("Recent File List", "File1", ""), "/tmp/a.tvr");
    EXPECT_EQ(P().GetProfileInt("A/B", "C", 0), 1);
    EXPECT_EQ(P().GetProfileInt("A", "B/C", 0), 2);
    EXPECT_EQ(P().GetProfileInt("A\\B", "C", 0), 3);
    EXPECT_EQ(P().GetProfileInt("A%2FB", "C", 0), 4);
}

TEST_P(ProfileContract, OverwritingChangesTheType) {
    ASSERT_TRUE(P().WriteProfileString("Tavrel", "LineHeight", "2.5"));
    ASSERT_TRUE(P().WriteProfileInt("Tavrel", "LineHeight", 3));
    EXPECT_EQ(P().GetProfileInt("Tavrel", "LineHeight", 0), 3);
    EXPECT_EQ(P().GetProfileString("Tavrel", "LineHeight", ""), "3");
}

INSTANTIATE_TEST_SUITE_P(Stores, ProfileContract, ::testing::Values(kMemory, kQt),
                         [](const auto& info) { return std::string(info.param.name); });

// What only the file-backed store can show: the file itself.
class QtProfileFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    static QString Text(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll());
    }
    static void Put(const QString& path, const char* text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QTemporaryDir m_dir;
};

TEST_F(QtProfileFile, ValuesSurviveARestart) {
    const QString ini = Path("a.ini");
    {
        CQtProfile p(ini);
        ASSERT_TRUE(p.WriteProfileInt("Window size", "showCmd", 3));
        ASSERT_TRUE(p.WriteProfileInt("Tavrel", "SelColor", 0xEED2C1));
        for (const auto& c : kTexts)
            ASSERT_TRUE(p.WriteProfileString("Strings", c.name, c.value));
    }
    // A copy under another name is read from disk, not from QSettings' cache
    // of the file this process wrote.
    const QString copy = Path("copy.ini");
    ASSERT_TRUE(QFile::copy(ini, copy));
    for (const QString& file : {ini, copy}) {
        SCOPED_TRACE(file.toStdString());
        CQtProfile p(file);
        EXPECT_EQ(p.GetProfileInt("Window size", "showCmd", 1), 3);
        EXPECT_EQ(p.GetProfileInt("Tavrel", "SelColor", 0), 0xEED2C1);
        for (const auto& c : kTexts)
            EXPECT_EQ(p.GetProfileString("Strings", c.name, "default"), c.value) << c.name;
    }
}

TEST_F(QtProfileFile, IntegersAreWrittenAsNumbersInTheirSection) {
    const QString ini = Path("b.ini");
    {
        CQtProfile p(ini);
        ASSERT_TRUE(p.WriteProfileInt("Window size", "ToolBar", 1));
        ASSERT_TRUE(p.WriteProfileInt("Window size", "StatusBar", 0));
        ASSERT_TRUE(p.WriteProfileInt("LineFont", "Size", -12));
    }
    const QString text = Text(ini); // written at once, not at destruction only
    EXPECT_FALSE(text.contains(QStringLiteral("true"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("false"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ToolBar=1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("StatusBar=0"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Size=-12"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[Window%20size]"))) << text.toStdString();
}

TEST_F(QtProfileFile, EachWriteReachesTheFileAtOnce) {
    const QString ini = Path("c.ini");
    CQtProfile p(ini);
    ASSERT_TRUE(p.WriteProfileInt("System", "InitFile", 0));
    EXPECT_TRUE(Text(ini).contains(QStringLiteral("InitFile=0")));
}

TEST_F(QtProfileFile, ReadingCreatesNoFile) {
    const QString ini = Path("d.ini");
    {
        CQtProfile p(ini);
        EXPECT_EQ(p.GetProfileInt("System", "InitFile", 1), 1);
        EXPECT_EQ(p.GetProfileString("Window size", "Rect", "r"), "r");
    }
    EXPECT_FALSE(QFile::exists(ini));
}

TEST_F(QtProfileFile, AFileEditedByHandReadsAsTheUserMeantOrGivesDefaults) {
    const QString ini = Path("e.ini");
    Put(ini, "[Window%20size]\n"
             "Rect=10,20,610,420\n"
             "ToolBar=true\n"
             "showCmd= 3\n"
             "[Tavrel]\n"
             "WakuColor=abc\n"
             "LineColor=4294967295\n"
             "TextColor=99999999999\n");
    CQtProfile p(ini);
    EXPECT_EQ(p.GetProfileString("Window size", "Rect", ""), "10,20,610,420");
    EXPECT_EQ(p.GetProfileInt("Window size", "ToolBar", 7), 7);
    EXPECT_EQ(p.GetProfileInt("Window size", "showCmd", 1), 3);
    EXPECT_EQ(p.GetProfileInt("Tavrel", "WakuColor", 0xC0C0C0), 0xC0C0C0);
    EXPECT_EQ(p.GetProfileInt("Tavrel", "LineColor", 0), -1); // a full 32-bit value keeps its bits
    EXPECT_EQ(p.GetProfileInt("Tavrel", "TextColor", 5), 5);  // beyond 32 bits: not ours
}

TEST_F(QtProfileFile, AWriteThatCannotReachTheDiskReportsFailure) {
    // The folder the file should live in is a plain file: nothing can be created there.
    const QString blocker = Path("blocker");
    Put(blocker, "x");
    CQtProfile p(blocker + QStringLiteral("/sub/f.ini"));
    EXPECT_FALSE(p.WriteProfileInt("System", "InitFile", 0));
}

TEST(QtProfileDefaultStore, LivesUnderTheOrganisationAndApplication) {
    // The user's folder is redirected for this process; the real settings stay untouched.
    static QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    CQtProfile p;
    const QString expected = home.filePath(QStringLiteral("Ostrel/Tavreler.conf"));
    EXPECT_EQ(p.FileName(), expected);
    ASSERT_TRUE(p.WriteProfileInt("System", "InitFile", 0));
    EXPECT_TRUE(QFile::exists(expected));
    EXPECT_EQ(CQtProfile().GetProfileInt("System", "InitFile", 1), 0);
}

} // namespace
