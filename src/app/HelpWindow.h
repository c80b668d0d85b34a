#pragma once
// The help window: the contents tree, the keyword index with its search
// field, and the pages, all read from the help collection (Tavrl.qhc, which
// registers Tavrl.qch). Context numbers lead to topics through the
// identifiers the help file gives its keywords (0x10000 + command id).
#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <optional>

#include "fw/Types.h"

// What a help request asks for (the platform's help commands), and the
// bases of the context numbers: commands and menu items at 0x10000 + id,
// windows at 0x20000 + their resource id.
enum : UINT {
    HELP_CONTEXT = 0x1,
    HELP_INDEX = 0x3,
    HELP_HELPONHELP = 0x4,
    HELP_FINDER = 0xB,
    HELP_PARTIALKEY = 0x105
};
enum : DWORD { HID_BASE_COMMAND = 0x10000, HID_BASE_RESOURCE = 0x20000 };

class QHelpEngine;
struct QHelpLink;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* pParent = nullptr);
    ~CHelpWindow() override;

    // Opens the collection (again only when the path changed); false when
    // it holds no help file.
    bool SetCollection(const QString& path);

    // The file's first page.
    void ShowDefaultTopic();
    // The topic of a context number; the first page for a number without one.
    // False when the number has no topic.
    bool ShowContext(DWORD dwContext);
    // The index page with the focus in its search field.
    void ShowIndex();

    QUrl CurrentUrl() const;

    // The topic to show of a keyword's topics: the only one, or the one the
    // user picks from the list (nullopt: none, or cancelled).
    std::optional<QUrl> ChooseTopic(const QList<QHelpLink>& docs, const QString& keyword);

    // Of the collection at path and the help file beside it that it names,
    // the first that does not exist; empty when both are there.
    static QString MissingFile(const QString& path);
    // Whether the collection at path opens and leads context dwContext to a
    // topic, without a window (for checking an installation).
    static bool HasTopic(const QString& path, DWORD dwContext);
    QHelpEngine* Engine() const { return m_pEngine; }
    QLineEdit* SearchField() const { return m_pSearch; }
    QTabWidget* Tabs() const { return m_pTabs; }

private:
    void Build();
    void ShowUrl(const QUrl& url);
    void SelectInContents(const QUrl& url);
    void OnLinkClicked(const QUrl& url);
    void Present();
    // Inside the available area of the owner's screen, over the owner.
    void Place();
    // The contents pane as wide as its open entries need.
    void WidenContents();

    QString m_strCollection;
    QHelpEngine* m_pEngine = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QLineEdit* m_pSearch = nullptr;
    QTextBrowser* m_pBrowser = nullptr;
    QSplitter* m_pSplitter = nullptr;
    bool m_bPlaced = false;
};
