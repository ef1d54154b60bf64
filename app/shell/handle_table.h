// Small ids in place of pointers for the QML. An object handed to the QML is
// registered here and the QML holds only its id; every call from the QML
// looks the id up again, so a stale, forged or foreign id finds nothing
// instead of reaching freed memory.
#pragma once

#include <QHash>
#include <climits>
#include <QMutex>
#include <QMutexLocker>

// One table per kind of object: the element type is the type check.
template <class T>
class HandleTable {
public:
    // Registers an object and answers its id (1, 2, ...), or 0 for null. Ids
    // are never reused within one table, so an id kept after its object was
    // removed cannot name a newer object.
    int add(T* object)
    {
        if (object == nullptr) {
            return 0;
        }
        QMutexLocker lock(&m_mutex);
        if (m_next_id == INT_MAX) {
            return 0;
        }
        const int id = m_next_id++;
        m_objects.insert(id, object);
        return id;
    }

    // The object registered under id, or null.
    T* get(int id) const
    {
        QMutexLocker lock(&m_mutex);
        return m_objects.value(id, nullptr);
    }

    bool contains(int id) const { return get(id) != nullptr; }

    // Removes the id and answers its object (now unregistered), or null when
    // the id was not registered.
    T* take(int id)
    {
        QMutexLocker lock(&m_mutex);
        return m_objects.take(id);
    }

    // Removes every id under which the object is registered; answers how many.
    int remove_object(const T* object)
    {
        QMutexLocker lock(&m_mutex);
        int removed = 0;
        for (auto it = m_objects.begin(); it != m_objects.end();) {
            if (it.value() == object) {
                it = m_objects.erase(it);
                ++removed;
            } else {
                ++it;
            }
        }
        return removed;
    }

    int size() const
    {
        QMutexLocker lock(&m_mutex);
        return m_objects.size();
    }

private:
    mutable QMutex m_mutex;
    QHash<int, T*> m_objects;
    int m_next_id = 1;
};
