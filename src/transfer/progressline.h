#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

namespace transfer {

// A line on a terminal that shows how far a long run has got: written to the stream only when
// the stream is a terminal and the run has taken more than a second, rewritten in place at most
// ten times a second, and wiped when the run ends.
class ProgressLine {
public:
    ProgressLine(QTextStream& stream, QString what, qint64 total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(qint64 done);

private:
    QTextStream& m_stream;
    QString m_what;
    qint64 m_total;
    bool m_terminal;
    bool m_shown = false;
    QElapsedTimer m_started;
    qint64 m_lastWrite = 0;
};

} // namespace transfer
