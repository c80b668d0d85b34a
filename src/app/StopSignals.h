#pragma once
// The requests to stop that come as signals: SIGTERM (a logout, a service
// manager, kill), SIGHUP (the terminal or session went away) and SIGINT.
// The handler only writes the signal's number into a pipe, which is all a
// signal handler may safely do; the event loop reads it and emits
// StopRequested, where the program can write its recovery copy and quit.
// One object at a time; it puts the default actions back when it goes.
#include <QObject>

class QSocketNotifier;

class CStopSignals : public QObject {
    Q_OBJECT
public:
    explicit CStopSignals(QObject* parent = nullptr);
    ~CStopSignals() override;

signals:
    void StopRequested(int signal);

private:
    void OnReadable();

    QSocketNotifier* m_pNotifier = nullptr;
};
