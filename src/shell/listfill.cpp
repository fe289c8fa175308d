#include "shell/listfill.h"

#include "shell/wordlistbox.h"
#include "store/recordset.h"

#include <QStringList>

namespace shell {

void fillListFromStatement(WordListBox* list, store::Connection& connection,
                           const QString& statement) {
    store::Recordset rs;
    rs.setActiveConnection(&connection);
    rs.setSource(statement);
    rs.Open();

    // Collect first: a failure while stepping leaves the list as it was, and one hand-over of
    // the whole list keeps a long result fast.
    QStringList words;
    while (!rs.eof()) {
        words.append(rs.field(QStringLiteral("word")).toString());
        rs.MoveNext();
    }
    rs.Close();

    list->setWords(words);
}

} // namespace shell
