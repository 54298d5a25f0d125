// SPDX-License-Identifier: BSD-3-Clause
#include "ScriptRunner.h"

#include <tk5chctl/TKchart.h>

#include <QFile>
#include <QJSEngine>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QRegularExpression>

#include <array>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace tkchart {

namespace {

// What a script calls: the members of the control by name, through its meta-object.
class ScriptHost : public QObject {
    Q_OBJECT
public:
    ScriptHost(TKchart& chart, QJSEngine& engine, QStringList* printed)
        : chart_(chart), engine_(engine), printed_(printed) {}

    Q_INVOKABLE QJSValue call(const QString& name, const QJSValue& args) {
        const int argc = args.property(QStringLiteral("length")).toInt();
        const QMetaMethod m = methodFor(name, argc);
        if (!m.isValid()) return {};
        std::array<QVariant, 10> values;
        std::array<QGenericArgument, 10> generic{};
        std::array<QByteArray, 10> names;
        for (int i = 0; i < argc; ++i) {
            names[size_t(i)] = m.parameterTypeName(i);
            if (names[size_t(i)].endsWith('&')) names[size_t(i)].chop(1);
            if (!convert(args.property(quint32(i)), names[size_t(i)], values[size_t(i)],
                         QStringLiteral("argument %1 of %2").arg(i + 1).arg(name)))
                return {};
            generic[size_t(i)] =
                QGenericArgument(names[size_t(i)].constData(), values[size_t(i)].data());
        }
        QVariant result;
        QGenericReturnArgument ret;
        if (m.returnMetaType().id() != QMetaType::Void) {
            result = QVariant(m.returnMetaType());
            ret = QGenericReturnArgument(m.typeName(), result.data());
        }
        return guarded([&] {
            m.invoke(&chart_, Qt::DirectConnection, ret, generic[0], generic[1], generic[2],
                     generic[3], generic[4], generic[5], generic[6], generic[7], generic[8],
                     generic[9]);
            return engine_.toScriptValue(result);
        });
    }

    Q_INVOKABLE QJSValue get(const QString& name) {
        const QMetaProperty p = propertyFor(name);
        return guarded([&] { return engine_.toScriptValue(p.read(&chart_)); });
    }

    Q_INVOKABLE void set(const QString& name, const QJSValue& value) {
        const QMetaProperty p = propertyFor(name);
        if (!p.isWritable()) {
            engine_.throwError(QJSValue::TypeError, name + QStringLiteral(" is read-only"));
            return;
        }
        QVariant v;
        if (!convert(value, p.typeName(), v, name)) return;
        guarded([&] {
            p.write(&chart_, v);
            return QJSValue();
        });
    }

    Q_INVOKABLE QJSValue xOfDay(const QJSValue& day) {
        QVariant v;
        if (!convert(day, "short", v, QStringLiteral("the day of xOfDay"))) return {};
        return guarded([&] { return QJSValue(chart_.xOfDay(v.value<qint16>())); });
    }

    Q_INVOKABLE void print(const QString& line) {
        if (printed_) {
            *printed_ << line;
            return;
        }
        std::fputs(line.toUtf8().append('\n').constData(), stdout);
        std::fflush(stdout);
    }

    // The names the script's `chart` gets: the published methods, then the properties.
    QStringList methods() const {
        QStringList out;
        const QMetaObject* mo = chart_.metaObject();
        for (int i = TKchart::staticMetaObject.methodOffset(); i < mo->methodCount(); ++i)
            if (mo->method(i).methodType() == QMetaMethod::Method &&
                !out.contains(QString::fromLatin1(mo->method(i).name())))
                out << QString::fromLatin1(mo->method(i).name());
        return out;
    }
    QStringList properties() const {
        QStringList out;
        const QMetaObject* mo = chart_.metaObject();
        for (int i = TKchart::staticMetaObject.propertyOffset(); i < mo->propertyCount(); ++i)
            out << QString::fromLatin1(mo->property(i).name());
        return out;
    }

private:
    // A member's failure as a JavaScript error with its message.
    template <typename F> QJSValue guarded(F&& f) {
        try {
            return f();
        } catch (const std::exception& e) {
            engine_.throwError(QJSValue::GenericError, QString::fromUtf8(e.what()));
            return {};
        }
    }

    // The overload with argc parameters, the one taking values first; a TypeError when none.
    QMetaMethod methodFor(const QString& name, int argc) {
        const QMetaObject* mo = chart_.metaObject();
        QMetaMethod chosen;
        QStringList counts;
        for (int i = TKchart::staticMetaObject.methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            if (m.methodType() != QMetaMethod::Method || m.name() != name.toLatin1()) continue;
            counts << QString::number(m.parameterCount());
            if (m.parameterCount() == argc &&
                (!chosen.isValid() || !m.methodSignature().contains('&')))
                chosen = m;
        }
        if (!chosen.isValid())
            engine_.throwError(QJSValue::TypeError,
                               QStringLiteral("%1 takes %2 argument(s), not %3")
                                   .arg(name, counts.join(QStringLiteral(" or ")))
                                   .arg(argc));
        return chosen;
    }

    QMetaProperty propertyFor(const QString& name) const {
        const QMetaObject* mo = chart_.metaObject();
        return mo->property(mo->indexOfProperty(name.toLatin1().constData()));
    }

    // A script value as the member's type; a TypeError or RangeError naming `what` when it
    // is none.
    bool convert(const QJSValue& value, const QByteArray& typeName, QVariant& out,
                 const QString& what) {
        const QMetaType type = QMetaType::fromName(typeName);
        if (typeName == "short" || typeName == "qint16") {
            const double d = value.toNumber();
            if (!value.isNumber() || std::floor(d) != d || d < -32768 || d > 32767) {
                engine_.throwError(value.isNumber() ? QJSValue::RangeError : QJSValue::TypeError,
                                   what + QStringLiteral(" must be a whole number from -32768 "
                                                         "to 32767"));
                return false;
            }
            out = QVariant::fromValue(static_cast<qint16>(d));
            return true;
        }
        const bool typeMatches = typeName == "QString" ? value.isString()
                                 : typeName == "float" ? value.isNumber()
                                 : typeName == "bool"  ? value.isBool()
                                                       : !value.isUndefined();
        out = value.toVariant();
        if (!typeMatches || !out.convert(type)) {
            engine_.throwError(QJSValue::TypeError,
                               what + QStringLiteral(" must be a ") +
                                   (typeName == "QString" ? QStringLiteral("text")
                                                          : QString::fromLatin1(typeName)));
            return false;
        }
        return true;
    }

    TKchart& chart_;
    QJSEngine& engine_;
    QStringList* printed_;
};

// Builds the script's `chart` from the host: a function per method and an accessor per
// property.
const char* const kBinding = R"js(
(function (host, methods, properties) {
    var chart = {};
    methods.forEach(function (name) {
        chart[name] = function () { return host.call(name, Array.prototype.slice.call(arguments)); };
    });
    properties.forEach(function (name) {
        Object.defineProperty(chart, name, {
            get: function () { return host.get(name); },
            set: function (v) { host.set(name, v); },
            enumerable: true
        });
    });
    chart.xOfDay = function (day) { return host.xOfDay(day); };
    return chart;
})
)js";

// Stops the engine when the time is up, unless told the script ended first.
class Watchdog {
public:
    Watchdog(QJSEngine& engine, int seconds)
        : thread_([this, &engine, seconds] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return ended_; })) {
                  fired_ = true;
                  engine.setInterrupted(true);
              }
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            ended_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    bool fired() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return fired_;
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool ended_ = false, fired_ = false;
    std::thread thread_;
};

} // namespace

QString runScript(TKchart& chart, const QString& file, int timeoutSeconds, QStringList* printed) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("%1: %2").arg(file, f.errorString());
    const QString program = QString::fromUtf8(f.readAll());

    QJSEngine engine;
    ScriptHost host(chart, engine, printed);
    const QJSValue hostValue = engine.newQObject(&host);
    QJSEngine::setObjectOwnership(&host, QJSEngine::CppOwnership);
    const QJSValue chartValue = engine.evaluate(QString::fromLatin1(kBinding))
                                    .call({hostValue, engine.toScriptValue(host.methods()),
                                           engine.toScriptValue(host.properties())});
    engine.globalObject().setProperty(QStringLiteral("chart"), chartValue);
    engine.globalObject().setProperty(
        QStringLiteral("print"),
        engine
            .evaluate(QStringLiteral("(function (host) { return function () { "
                                     "host.print(Array.prototype.map.call(arguments, String)"
                                     ".join(' ')); }; })"))
            .call({hostValue}));

    QJSValue result;
    QStringList trace;
    bool stopped = false;
    {
        Watchdog watchdog(engine, timeoutSeconds);
        result = engine.evaluate(program, file, 1, &trace);
        stopped = watchdog.fired();
    }
    if (stopped)
        return QStringLiteral("%1: stopped after %2 s (--script-timeout)")
            .arg(file)
            .arg(timeoutSeconds);
    if (result.isError()) {
        // The line in the script itself: the innermost frame that has a file (the binding
        // around the members has none).
        int line = result.property(QStringLiteral("lineNumber")).toInt();
        static const QRegularExpression kFrame(QStringLiteral("^[^:]*:(\\d+):-?\\d+:(.+)$"));
        for (const QString& frame : trace)
            if (const QRegularExpressionMatch m = kFrame.match(frame); m.hasMatch()) {
                line = m.captured(1).toInt();
                break;
            }
        return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(result.toString());
    }
    return {};
}

} // namespace tkchart

#include "ScriptRunner.moc"
