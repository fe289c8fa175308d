#include "transfer/progressline.h"

#include <QFile>
#include <unistd.h>

namespace transfer {

namespace {

bool isTerminal(QTextStream& stream) {
    const auto* file = qobject_cast<QFile*>(stream.device());
    return file && file->handle() >= 0 && ::isatty(file->handle()) == 1;
}

} // namespace

ProgressLine::ProgressLine(QTextStream& stream, QString what, qint64 total)
    : m_stream(stream), m_what(std::move(what)), m_total(total), m_terminal(isTerminal(stream)) {
    m_started.start();
}

ProgressLine::~ProgressLine() {
    if (m_shown) {
        m_stream << "\r\x1b[K";
        m_stream.flush();
    }
}

void ProgressLine::update(qint64 done) {
    if (!m_terminal)
        return;
    const qint64 elapsed = m_started.elapsed();
    if (elapsed < 1000 || (m_shown && elapsed - m_lastWrite < 100))
        return;
    m_shown = true;
    m_lastWrite = elapsed;
    m_stream << "\r" << m_what << ": " << done << " of " << m_total << "\x1b[K";
    m_stream.flush();
}

} // namespace transfer
