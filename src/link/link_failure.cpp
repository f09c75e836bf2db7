#include "link/link_failure.h"

#include "link/protocol.h"

#include <algorithm>

namespace r7k {

namespace {

bool printable(const QByteArray &bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c >= ' ' && c <= '~'; });
}

Bilingual identity_text(const QByteArray &identity)
{
    const QString id = QString::fromLatin1(Protocol::Radio_id);
    if (identity.isEmpty())
        return {QStringLiteral("对讲机应答了联络命令，但没有报出机型"),
                QStringLiteral("the radio answered the connect command but did not identify "
                               "itself")};
    if (printable(identity)) {
        const QString shown = QString::fromLatin1(identity) + QStringLiteral("...");
        return {QStringLiteral("对讲机报出的是另一种机型（%1），不是 R7K（%2）").arg(shown, id),
                QStringLiteral("the radio identifies as another model (%1), not as an R7K (%2)")
                    .arg(shown, id)};
    }
    const QString hex = QString::fromLatin1(identity.toHex(' ').toUpper());
    return {QStringLiteral("对讲机对机型查询的应答是 %1，不是机型标识").arg(hex),
            QStringLiteral("the radio answers the identify command with %1, which is no model "
                           "identifier")
                .arg(hex)};
}

Bilingual transfer_text(int block, int position, int blocks)
{
    if (block == 0)
        return {QStringLiteral("对讲机报出机型后停止应答"),
                QStringLiteral("the radio stopped answering after it identified itself")};
    const QString k = QString::number(position);
    const QString n = QString::number(blocks);
    if (block == position)
        return {QStringLiteral("对讲机在第 %1 个数据块（共 %2 个）处停止应答").arg(k, n),
                QStringLiteral("the radio stopped answering at block %1 of %2").arg(k, n)};
    const QString b = QString::number(block);
    return {
        QStringLiteral("对讲机在第 %1 个数据块（共 %2 个，存储器第 %3 块）处停止应答").arg(k, n, b),
        QStringLiteral("the radio stopped answering at block %1 of %2 (block %3 of its "
                       "memory)")
            .arg(k, n, b)};
}

} // namespace

Bilingual Link_failure::what_happened() const
{
    switch (stage) {
    case Stage::Connect:
        return {QStringLiteral("对讲机没有应答联络命令"),
                QStringLiteral("the radio does not answer the connect command")};
    case Stage::Identify:
        return identity_text(identity);
    case Stage::Transfer:
        break;
    }
    return transfer_text(block, position, blocks);
}

Bilingual Link_failure::details(int port_no) const
{
    const Bilingual what = what_happened();
    const QString port = QStringLiteral("COM%1").arg(port_no);
    const QString id = QString::fromLatin1(Protocol::Radio_id);
    return {
        what.chinese +
            QStringLiteral("。\n\n请检查：\n- 对讲机已开机；\n- 编程线已插牢在对讲机和电脑上；\n"
                           "- 编程线接在 %1 上（在“端口设置”中选择）；\n"
                           "- 对讲机是 R7K 型（机型标识为 %2）。")
                .arg(port, id),
        what.english.left(1).toUpper() + what.english.mid(1) +
            QStringLiteral(".\n\nPlease check that:\n- the radio is switched on;\n"
                           "- the programming cable is seated firmly in the radio and in the "
                           "computer;\n- the cable is on %1 (chosen under Communication);\n"
                           "- the radio is an R7K model (it identifies itself as %2).")
                .arg(port, id)};
}

} // namespace r7k
