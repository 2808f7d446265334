#include "DatasetRows.h"

#include "platform/data/Dataset.h"
#include "platform/data/Field.h"

void DatasetRows::first()
{
    m_pastLast = m_dataset.recordCount() == 0;
    if (!m_pastLast)
        m_dataset.first();
}

void DatasetRows::next()
{
    if (m_pastLast)
        return;
    m_dataset.next();
    m_pastLast = m_dataset.eof();
}

bool DatasetRows::eof() const { return m_pastLast || !m_dataset.isActive(); }

QVariant DatasetRows::value(const QString& field) const
{
    const data::Field* found = eof() ? nullptr : m_dataset.findField(field);
    return found && !found->isNull() ? found->asVariant() : QVariant();
}

int DatasetRows::count() const { return m_dataset.isActive() ? m_dataset.recordCount() : 0; }
