#include "mainwindow/addressconflicts.h"

#include <QColor>
#include <QPalette>

#include <optional>

namespace {

// A tip stays a few lines long however many devices share one address (a
// batch of new devices still on their factory address).
constexpr int MostNamed = 8;

// The value of a dotted quad written in canonical form ("10.0.0.5", not
// "010.0.0.5" or "10.0.0.5 "), or nothing for any other text.
std::optional<quint32> canonicalIPv4(QStringView text)
{
    if (text.size() < 7 || text.size() > 15)
        return std::nullopt;
    quint32 value = 0;
    qsizetype i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (i >= text.size() || text[i] != u'.')
                return std::nullopt;
            ++i;
        }
        const qsizetype start = i;
        unsigned number = 0;
        while (i < text.size() && i - start < 4 && text[i] >= u'0' && text[i] <= u'9')
            number = number * 10 + (text[i++].unicode() - u'0');
        const qsizetype digits = i - start;
        if (digits == 0 || digits > 3 || number > 255 || (digits > 1 && text[start] == u'0'))
            return std::nullopt;
        value = value << 8 | number;
    }
    return i == text.size() ? std::optional<quint32>(value) : std::nullopt;
}

// Devices waiting for a DHCP server answer with these; they share nothing.
bool counts(const QString &address)
{
    return !address.isEmpty() && address != QLatin1String("0.0.0.0");
}

} // namespace

template<typename Key>
bool AddressConflicts::join(QHash<Key, Users> &hash, const Key &key, const QString &mac)
{
    const qsizetype before = hash.size();
    Users &users = hash[key];
    if (hash.size() != before) {
        users.first = mac;
        return false;
    }
    users.more.append(mac);
    return users.more.size() == 1;
}

template<typename Key>
bool AddressConflicts::leave(QHash<Key, Users> &hash, const Key &key, const QString &mac)
{
    const auto users = hash.find(key);
    if (users == hash.end())
        return false;
    if (users->first == mac && users->more.isEmpty()) {
        hash.erase(users);
        return false;
    }
    if (users->first == mac)
        users->first = users->more.takeFirst();
    else
        users->more.removeOne(mac);
    // The one left now shows it alone.
    return users->more.isEmpty();
}

bool AddressConflicts::move(const QString &mac, const QString &previous, const QString &address)
{
    if (previous == address)
        return false;
    bool othersChanged = false;
    if (counts(previous)) {
        const std::optional<quint32> value = canonicalIPv4(previous);
        othersChanged = value ? leave(m_byValue, *value, mac) : leave(m_byText, previous, mac);
    }
    if (counts(address)) {
        const std::optional<quint32> value = canonicalIPv4(address);
        if (value ? join(m_byValue, *value, mac) : join(m_byText, address, mac))
            othersChanged = true;
    }
    return othersChanged;
}

void AddressConflicts::clear()
{
    m_byValue.clear();
    m_byText.clear();
}

const AddressConflicts::Users *AddressConflicts::usersOf(const QString &address) const
{
    if (const std::optional<quint32> value = canonicalIPv4(address)) {
        const auto users = m_byValue.constFind(*value);
        return users == m_byValue.cend() ? nullptr : &*users;
    }
    const auto users = m_byText.constFind(address);
    return users == m_byText.cend() ? nullptr : &*users;
}

bool AddressConflicts::isShared(const QString &address) const
{
    const Users *users = usersOf(address);
    return users && !users->more.isEmpty();
}

QString AddressConflicts::tip(const QString &address, const QString &mac) const
{
    const Users *users = usersOf(address);
    if (!users || users->more.isEmpty())
        return QString();
    QStringList named;
    qsizetype others = 0;
    const auto name = [&](const QString &user) {
        if (user == mac)
            return;
        if (named.size() < MostNamed)
            named.append(user);
        ++others;
    };
    name(users->first);
    for (const QString &user : users->more)
        name(user);
    QString list = named.join(QLatin1String(", "));
    if (others > named.size())
        list = tr("%1 and %2 more").arg(list).arg(others - named.size());
    return address + u'\n' + tr("Also used by %1").arg(list);
}

QColor AddressConflicts::background(const QPalette &palette)
{
    // A third of the way from the base colour to amber: light enough under
    // dark text, dark enough under light text.
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor amber(255, 160, 0);
    const auto mix = [](int from, int to) { return from + (to - from) / 3; };
    return QColor(mix(base.red(), amber.red()), mix(base.green(), amber.green()), mix(base.blue(), amber.blue()));
}
