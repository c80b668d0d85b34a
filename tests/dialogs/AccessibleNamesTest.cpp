// Dialog controls take their accessible names from their labels.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "dialogs/AccessibleNames.h"

namespace {

template <class W> W* Place(QDialog& d, int x, int y, int w, int h) {
    auto* p = new W(&d);
    p->setGeometry(x, y, w, h);
    return p;
}

QLabel* Label(QDialog& d, const char* text, int x, int y, int w = 80, int h = 16) {
    auto* l = Place<QLabel>(d, x, y, w, h);
    l->setText(QString::fromUtf8(text));
    return l;
}

TEST(AccessibleNames, ControlsAreNamedByTheirLabels) {
    QDialog d;
    d.resize(400, 300);
    Label(d, "行の名前(&N):", 10, 10);
    auto* beside = Place<QLineEdit>(d, 100, 8, 200, 20);
    Label(d, "詳細(&D)", 10, 40, 200);
    auto* below = Place<QLineEdit>(d, 10, 58, 200, 20);
    auto* buddyLabel = Label(d, "種類", 300, 200);
    auto* combo = Place<QComboBox>(d, 10, 200, 100, 20); // its buddy label is far away
    buddyLabel->setBuddy(combo);
    auto* check = Place<QCheckBox>(d, 10, 120, 200, 20);
    check->setText(QStringLiteral("A && B(&A)"));
    auto* ok = Place<QPushButton>(d, 300, 260, 80, 24);
    ok->setText(QStringLiteral("OK"));
    auto* named = Place<QLineEdit>(d, 100, 40, 100, 20);
    named->setAccessibleName(QStringLiteral("kept"));
    auto* lonely = Place<QLineEdit>(d, 250, 150, 100, 20);
    Label(d, "ファイル(&F):", 10, 232);
    auto* browse = Place<QPushButton>(d, 100, 230, 20, 20);
    browse->setText(QStringLiteral("..."));

    NameControlsFromLabels(&d);
    EXPECT_EQ(beside->accessibleName(), QString::fromUtf8("行の名前"));
    EXPECT_EQ(below->accessibleName(), QString::fromUtf8("詳細"));
    EXPECT_EQ(combo->accessibleName(), QString::fromUtf8("種類"));
    EXPECT_EQ(check->accessibleName(), QStringLiteral("A & B"));
    EXPECT_EQ(ok->accessibleName(), QStringLiteral("OK"));
    EXPECT_EQ(named->accessibleName(), QStringLiteral("kept"));
    EXPECT_TRUE(lonely->accessibleName().isEmpty());
    EXPECT_EQ(browse->accessibleName(), QString::fromUtf8("ファイル ..."));
}

TEST(AccessibleNames, ADialogIsNamedWhenItIsShown) {
    InstallAccessibleNaming();
    QDialog d;
    d.resize(300, 100);
    Label(d, "幅:", 10, 10);
    auto* edit = Place<QLineEdit>(d, 100, 8, 100, 20);
    d.show();
    EXPECT_EQ(edit->accessibleName(), QString::fromUtf8("幅"));
}

} // namespace
