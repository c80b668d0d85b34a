#pragma once
// Keeps a recovery copy of the document's unsaved work and offers the
// copies of earlier runs at start-up.
//
// The copy is written at most one interval (30 seconds) after the first
// unsaved change and again at most every interval while changes go on;
// nothing is written while nothing changes. The sheet is copied on the
// user-interface thread and written from that copy on a thread of its own,
// so typing waits only for the copy. Writing never touches the modified
// flag, the undo history or the sheet's own file. Saving, opening or
// starting another sheet, and answering "いいえ" to the save question,
// remove the copy; a stop signal or the end of the desktop session writes
// it at once (WriteNow).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include <QObject>
#include <QString>

#include "document/RecoveryStore.h"

class CSheetFile;
class CTavrelDoc;

// What the copies wait on: one call at a time, some milliseconds from now,
// and the time a copy is stamped with. The program runs on the real clock;
// tests hand in one they move on by hand, so they never sleep.
class CRecoveryClock {
public:
    virtual ~CRecoveryClock() = default;
    // Calls fire once, ms from now, in place of a call still waiting.
    virtual void Start(int ms, std::function<void()> fire) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    // Seconds since the epoch.
    virtual std::int64_t Now() const = 0;
};

class CRecoveryGuard : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 30000;

    // The user's recovery folder: "recovery" in the application-data
    // location; empty when there is none.
    static QString DefaultFolder();

    // Follows doc from now on; an empty folder keeps no copies.
    CRecoveryGuard(CTavrelDoc& doc, const QString& folder);
    // Waits for a write under way. A copy on disk stays for the next start.
    ~CRecoveryGuard() override;

    // The longest wait between a change and its copy; tests make it short.
    void SetInterval(int ms) { m_nIntervalMs = ms; }
    int Interval() const { return m_nIntervalMs; }
    // Waits on clock from now on (it must outlive the guard); nullptr goes
    // back to the real clock. A wait under way is dropped.
    void SetClock(CRecoveryClock* clock);

    // At start-up, before any sheet opens: asks about each copy left by a
    // run that ended without saving (newest first). Restore (the default),
    // discard, or keep for later. True when a copy became the document.
    bool OfferLeftCopies();

    // Writes the copy now, on this thread, when there are unsaved changes
    // it does not hold yet.
    void WriteNow();
    // Waits until a background write has ended, and lets its copy go.
    void Wait();

    // Copies written so far, and whether one is waiting for the timer.
    int WritesDone() const { return m_nWrites.load(); }
    bool IsPending() const { return m_pClock->IsActive(); }
    CRecoveryStore* Store() { return m_pStore.get(); }

private:
    void OnDocumentChanged();
    void OnTimer();
    // Drops the copy: the changes were saved or given up.
    void Forget();

    CTavrelDoc& m_doc;
    std::unique_ptr<CRecoveryStore> m_pStore;
    std::unique_ptr<CRecoveryClock> m_pRealClock;
    CRecoveryClock* m_pClock;
    int m_nIntervalMs = kDefaultIntervalMs;
    // The document's change count the latest copy was taken at, and the
    // one the folder is known to agree with (a copy written, or none needed).
    unsigned long long m_nCopied = 0;
    std::atomic<unsigned long long> m_nSettled{0};
    std::thread m_worker;
    // The copy the worker writes. It shares rows and columns with the
    // document, whose reference counts only this thread may change: it is
    // let go here (Wait), never on the worker.
    std::unique_ptr<CSheetFile> m_pWriting;
    std::atomic<int> m_nWrites{0};
};
