#include "captionsource.h"

namespace gw {

std::string captionKey(std::string_view base, int index)
{
    return std::string(base) + "(" + std::to_string(index) + ")";
}

QString arrayName(std::string_view base, int index)
{
    return QString::fromUtf8(base.data(), static_cast<qsizetype>(base.size())) + QString::number(index);
}

QString lookUp(const CaptionSource& captions, std::string_view key, const std::vector<std::string>& values)
{
    std::string text = captions.caption(key);
    if (!values.empty())
        text = captions.fill(text, values);
    return QString::fromStdString(text);
}

} // namespace gw
