#include "EventStore.h"

#include "platform/Clock.h"
#include "platform/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <sqlite3.h>

#include <array>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const char* const schema = "PRAGMA journal_mode=WAL;\n"
                           "CREATE TABLE IF NOT EXISTS events (\n"
                           "    id TEXT PRIMARY KEY,\n"
                           "    at REAL NOT NULL,\n"
                           "    action TEXT NOT NULL,\n"
                           "    kind TEXT,\n"
                           "    meta TEXT\n"
                           ");\n"
                           "CREATE INDEX IF NOT EXISTS events_at ON events(at);";

const std::array<QString, 12> rawValues{
    u"fired"_s,    u"done"_s,  u"skipped"_s, u"snoozed"_s,   u"expired"_s,       u"hold_start"_s,
    u"hold_end"_s, u"pause"_s, u"resume"_s,  u"wind_down"_s, u"weekly_report"_s, u"launch"_s};

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK && error)
        Log::write(u"Brevimar: sqlite error: "_s + QString::fromUtf8(error));
    sqlite3_free(error);
}

double secondsSince1970(const QDateTime& instant) {
    return double(instant.toMSecsSinceEpoch()) / 1000.0;
}

QDateTime instantFrom1970(double seconds) {
    return QDateTime::fromMSecsSinceEpoch(std::llround(seconds * 1000.0), Qt::UTC);
}

void bindText(sqlite3_stmt* statement, int index, const std::optional<QString>& text) {
    if (!text) {
        sqlite3_bind_null(statement, index);
        return;
    }
    const QByteArray utf8 = text->toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

std::optional<QString> columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    if (!text)
        return std::nullopt;
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

// Why the event could not be stored; none when it was (or was there already).
std::optional<QString> insert(sqlite3* db, const EventStore::Event& event) {
    sqlite3_stmt* statement = nullptr;
    std::optional<QString> error;
    if (sqlite3_prepare_v2(db,
                           "INSERT OR IGNORE INTO events (id, at, action, kind, meta) "
                           "VALUES (?, ?, ?, ?, ?)",
                           -1, &statement, nullptr) == SQLITE_OK) {
        bindText(statement, 1, event.id);
        sqlite3_bind_double(statement, 2, secondsSince1970(event.at));
        bindText(statement, 3, EventStore::rawValue(event.action));
        bindText(statement, 4, event.kind);
        bindText(statement, 5, event.meta);
        if (sqlite3_step(statement) != SQLITE_DONE)
            error = QString::fromUtf8(sqlite3_errmsg(db));
    } else {
        error = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(statement);
    return error;
}

// The event of a row of id, at, action, kind, meta; none for a row without an id or with an
// action this version does not know.
std::optional<EventStore::Event> eventAt(sqlite3_stmt* statement) {
    const std::optional<QString> id = columnText(statement, 0);
    const std::optional<QString> raw = columnText(statement, 2);
    const auto action = raw ? EventStore::actionFromRawValue(*raw) : std::nullopt;
    if (!id || !action)
        return std::nullopt;
    return EventStore::Event{*id, instantFrom1970(sqlite3_column_double(statement, 1)), *action,
                             columnText(statement, 3), columnText(statement, 4)};
}

QList<EventStore::Event> select(sqlite3* db, double from, double to) {
    QList<EventStore::Event> events;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT id, at, action, kind, meta FROM events "
                           "WHERE at >= ? AND at < ? ORDER BY at, rowid",
                           -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return events;
    }
    sqlite3_bind_double(statement, 1, from);
    sqlite3_bind_double(statement, 2, to);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        if (auto event = eventAt(statement))
            events.append(*std::move(event));
    }
    sqlite3_finalize(statement);
    return events;
}

// The connection to the file, created when missing; none when it cannot be opened.
sqlite3* open(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK)
        return db;
    sqlite3_close(db);
    return nullptr;
}

// Opening reads nothing, so a file that is not a database shows only at its first statement.
bool isDamaged(sqlite3* db) {
    const int result =
        sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    return result == SQLITE_NOTADB || result == SQLITE_CORRUPT;
}

// Moves the closed database (closing has dealt with its journal) to events.sqlite.corrupt-<date>,
// with a number added when that name is taken; the new name, or none when it could not be moved.
std::optional<QString> keepAside(const QString& path, const QDate& utcDate) {
    const QString base = path + u".corrupt-"_s + utcDate.toString(u"yyyy-MM-dd"_s);
    QString aside = base;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = base + u'-' + QString::number(n);
    if (!QFile::rename(path, aside))
        return std::nullopt;
    return aside;
}

// A JSON string, escaped as a default JSON serializer does: forward slashes too.
void appendJsonString(QByteArray& out, const QString& text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '/':
            out += "\\/";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (uchar(c) < 0x20)
                out += "\\u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    out += '"';
}

void appendJson(QByteArray& out, const EventStore::Event& event) {
    out += "{\"action\":";
    appendJsonString(out, EventStore::rawValue(event.action));
    out += ",\"at\":";
    appendJsonString(out, event.at.toUTC().toString(Qt::ISODate));
    out += ",\"id\":";
    appendJsonString(out, event.id);
    if (event.kind) {
        out += ",\"kind\":";
        appendJsonString(out, *event.kind);
    }
    if (event.meta) {
        out += ",\"meta\":";
        appendJsonString(out, *event.meta);
    }
    out += '}';
}

qint64 count(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    qint64 rows = 0;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM events", -1, &statement, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        rows = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return rows;
}

// Where a page of the export ended: rows are ordered by time, then by the order of logging.
struct Position {
    double at = -HUGE_VAL;
    qint64 row = 0;
};

struct Page {
    QList<EventStore::Event> events;
    Position last;
    bool full = false; // more rows may follow
};

constexpr int pageRows = 1000;

// The rows after a position, as select() reads them.
Page selectPage(sqlite3* db, const Position& after) {
    Page page;
    page.last = after;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT id, at, action, kind, meta, rowid FROM events "
                           "WHERE (at, rowid) > (?, ?) ORDER BY at, rowid LIMIT ?",
                           -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return page;
    }
    sqlite3_bind_double(statement, 1, after.at);
    sqlite3_bind_int64(statement, 2, after.row);
    sqlite3_bind_int(statement, 3, pageRows);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        page.last = {sqlite3_column_double(statement, 1), sqlite3_column_int64(statement, 5)};
        if (auto event = eventAt(statement))
            page.events.append(*std::move(event));
    }
    sqlite3_finalize(statement);
    page.full = rows == pageRows;
    return page;
}

} // namespace

// Runs the store's statements one after another on its own thread.
class EventStore::Worker {
public:
    explicit Worker(sqlite3* db)
        : m_db(db)
        , m_thread([this] { loop(); }) {}

    // Pending statements still run before the connection closes.
    ~Worker() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
        sqlite3_close(m_db);
    }

    void post(std::function<void(sqlite3*)> job) {
        {
            std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_wake.notify_one();
    }

    template <typename Result> Result wait(std::function<Result(sqlite3*)> job) {
        std::promise<Result> promise;
        std::future<Result> result = promise.get_future();
        post([&](sqlite3* db) { promise.set_value(job(db)); });
        return result.get();
    }

private:
    void loop() {
        for (;;) {
            std::function<void(sqlite3*)> job;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
                if (m_jobs.empty())
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job(m_db);
        }
    }

    sqlite3* m_db;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void(sqlite3*)>> m_jobs;
    bool m_stopping = false;
    std::thread m_thread; // last: starts once everything above exists
};

QString EventStore::rawValue(Action action) {
    return rawValues[size_t(action)];
}

std::optional<EventStore::Action> EventStore::actionFromRawValue(const QString& raw) {
    const auto found = std::find(rawValues.begin(), rawValues.end(), raw);
    if (found == rawValues.end())
        return std::nullopt;
    return Action(found - rawValues.begin());
}

EventStore::EventStore(const Clock& clock, const QString& folder)
    : m_clock(clock) {
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(u"events.sqlite"_s);
    sqlite3* db = open(path);
    if (db && isDamaged(db)) {
        const QString error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        db = nullptr;
        const std::optional<QString> aside = keepAside(path, m_clock.now().toUTC().date());
        if (aside) {
            Log::write(u"Brevimar: events.sqlite could not be read ("_s + error +
                       u"); kept it as "_s + QFileInfo(*aside).fileName() +
                       u" and started a fresh one"_s);
            db = open(path);
        }
    }
    if (!db) {
        Log::write(u"Brevimar: cannot open events.sqlite"_s);
        return;
    }
    exec(db, schema);
    m_worker = std::make_unique<Worker>(db);
}

EventStore::~EventStore() = default;

void EventStore::log(Action action, const std::optional<NudgeKind>& kind,
                     const std::optional<QString>& meta) {
    if (!m_worker)
        return;
    Event event{QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper(), m_clock.now(), action,
                kind ? std::optional(kind->id) : std::nullopt, meta};
    m_worker->post([this, event = std::move(event)](sqlite3* db) {
        // Opened on a full disk, the file may still lack its table. Quietly: the failing insert
        // below has said so already.
        if (m_insertFailing)
            sqlite3_exec(db, schema, nullptr, nullptr, nullptr);
        const std::optional<QString> error = insert(db, event);
        // Once per run of failures: a full disk refuses every insert the same way.
        if (error && !m_insertFailing)
            Log::write(u"Brevimar: event insert failed: "_s + *error);
        m_insertFailing = error.has_value();
    });
}

QList<EventStore::Event> EventStore::events(const QDateTime& from, const QDateTime& to) const {
    if (!m_worker)
        return {};
    const double lower = secondsSince1970(from);
    const double upper = secondsSince1970(to);
    return m_worker->wait<QList<Event>>([=](sqlite3* db) { return select(db, lower, upper); });
}

QByteArray EventStore::exportJSONL() const {
    QByteArray out;
    exportJSONL([&](const QByteArray& text, qint64, qint64) {
        out += text;
        return true;
    });
    return out;
}

bool EventStore::exportJSONL(const ExportPage& write) const {
    if (!m_worker)
        return true;
    const qint64 total = m_worker->wait<qint64>([](sqlite3* db) { return count(db); });
    Page page;
    qint64 exported = 0;
    do {
        page = m_worker->wait<Page>(
            [after = page.last](sqlite3* db) { return selectPage(db, after); });
        QByteArray text;
        text.reserve(page.events.size() * 120);
        for (const Event& event : page.events) {
            if (exported > 0 || !text.isEmpty()) // a line feed between lines, none after the last
                text += '\n';
            appendJson(text, event);
        }
        exported += page.events.size();
        if (!write(text, exported, std::max(total, exported)))
            return false;
    } while (page.full);
    return true;
}
