#pragma once
// The one document: the sheet, its undo history and the modified flag, the
// file it came from, the save question, and the document's commands (Save,
// Save As, and the CSV and HTML commands it hands to CDocCommands).
#include <span>
#include <string>

#include <QObject>
#include <QString>

#include "app/DocCommands.h"
#include "document/SheetDocument.h"
#include "fw/CmdTarget.h"
#include "view/ViewDocument.h"

class QWidget;

class CTavrelDoc : public QObject,
                   public CSheetDocument,
                   public CCommandTable<CTavrelDoc>,
                   public CViewDocument {
    Q_OBJECT
public:
    CTavrelDoc();
    ~CTavrelDoc() override;

    // The new-sheet step: cleared sheet, no path, then the new-file dialog.
    bool OnNewDocument();
    // Reads path; on failure the framework's message is shown and false returned.
    bool OnOpenDocument(const QString& path);
    // The sheet from a recovery copy, marked modified, under the name of
    // the file it belongs to (none: a sheet never saved) so that Save
    // writes there. On failure the message is shown and false returned.
    bool OnOpenRecovered(const QString& copyPath, const QString& originalPath);
    // Writes path; on failure the message is shown and false returned.
    bool OnSaveDocument(const QString& path);
    // Save (Save As when there is no path yet); false when cancelled or failed.
    bool DoFileSave();
    bool DoSaveAs();
    // The question before the sheet is replaced; false when the user cancelled.
    bool SaveModified();

    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);
    // "Sheet1" until the sheet has a file, then the file's name.
    const QString& GetTitle() const { return m_strTitle; }
    void SetDefaultTitle();

    // CViewDocument
    CSheetDocument& SheetDocument() override { return *this; }
    void UpdateAllViews() override { emit UpdateViews(); }
    std::string PathName() const override { return m_strPathName.toStdString(); }

    // Owner of the dialogs and questions the document shows.
    void SetOwner(QWidget* pOwner) { m_pOwner = pOwner; }
    QWidget* Owner() const { return m_pOwner; }

    // Save and Save As, always enabled; the text commands follow in CDocCommands.
    static std::span<const Command> Commands();

signals:
    void UpdateViews();
    // A new or opened sheet: the views lay out and measure it again.
    void InitialUpdate();
    void TitleChanged(const QString& title);
    // A file was opened or saved under path (the recent-file list takes it).
    void FileUsed(const QString& path);
    // The save question was answered "いいえ": the unsaved changes are given up.
    void ChangesDiscarded();

private:
    QString m_strPathName;
    QString m_strTitle;
    QWidget* m_pOwner = nullptr;
    CDocCommands m_docCommands{this};
};
