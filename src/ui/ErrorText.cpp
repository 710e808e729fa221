#include "ui/ErrorText.h"

std::string ErrorReportText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + '.';
    return message;
}

std::string ErrorClause(const std::string& message)
{
    if (message.ends_with('.') && !message.ends_with(".."))
        return message.substr(0, message.size() - 1);
    return message;
}
