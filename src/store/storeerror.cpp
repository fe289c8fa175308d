#include "store/storeerror.h"

#include <utility>

namespace store {

StoreError::StoreError(int number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(QString("%1: %2").arg(number).arg(m_description).toStdString()) {}

} // namespace store
