#include "core/gbk.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace r7k::Gbk {

#ifdef Q_OS_WIN

// Qt converts GBK through ICU, which the Qt for Windows lacks; Windows's own
// code page 936 is GBK on every Windows.
namespace {
constexpr UINT Gbk_code_page = 936;
}

std::optional<QByteArray> Encode(QStringView text)
{
    if (text.isEmpty())
        return QByteArray();
    const auto units = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length = int(text.size());
    BOOL substituted = FALSE;
    const int size = WideCharToMultiByte(Gbk_code_page, WC_NO_BEST_FIT_CHARS, units, length,
                                         nullptr, 0, nullptr, &substituted);
    if (size <= 0 || substituted)
        return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(Gbk_code_page, WC_NO_BEST_FIT_CHARS, units, length, bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::optional<QString> Decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    const int length = int(bytes.size());
    const int size =
        MultiByteToWideChar(Gbk_code_page, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(Gbk_code_page, MB_ERR_INVALID_CHARS, bytes.data(), length,
                        reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}

#else

std::optional<QByteArray> Encode(QStringView text)
{
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return bytes;
}

std::optional<QString> Decode(QByteArrayView bytes)
{
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError())
        return std::nullopt;
    return text;
}

#endif

} // namespace r7k::Gbk
