#include "mail/MailRecipients.h"

#include <algorithm>

bool MayHoldMailAddress(const std::string& recipients)
{
    return !recipients.empty() && recipients.find('@') != std::string::npos &&
           recipients.find('.') != std::string::npos;
}

std::string WithSemicolons(std::string recipients)
{
    std::replace(recipients.begin(), recipients.end(), ',', ';');
    return recipients;
}

std::vector<std::string> SplitRecipients(const std::string& recipients)
{
    const std::string text = WithSemicolons(recipients);
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(';', start);
        std::string field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (field.empty())
            break;
        fields.push_back(std::move(field));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return fields;
}
