// Ids for the QML of the library handles a source hands out (source
// objects, frame documents, painters, analysis objects): one id per handle
// for the program's life, so the QML can compare ids, and a lookup that
// finds nothing for a stale or forged id.
#pragma once

#include "shell/handle_table.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

class HandleIds {
public:
    // The id of the handle, registering it on first use; 0 for null.
    int id_of(void* handle)
    {
        if (handle == nullptr) {
            return 0;
        }
        QMutexLocker lock(&m_mutex);
        const auto it = m_ids.constFind(handle);
        if (it != m_ids.constEnd()) {
            return it.value();
        }
        const int id = m_table.add(handle);
        if (id != 0) {
            m_ids.insert(handle, id);
        }
        return id;
    }
    // The handle registered under id, or null. Callers still check that the
    // handle is live in its library before using it.
    void* handle_of(int id) const { return m_table.get(id); }

private:
    QMutex m_mutex;
    HandleTable<void> m_table;
    QHash<void*, int> m_ids;
};

HandleIds& analysis_ids();
HandleIds& library_ids();
