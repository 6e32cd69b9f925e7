// SPDX-License-Identifier: MIT
// The libcurl easy interface, one handle a request; only http and https, no redirects followed.
#include "platform/http.h"

#include <curl/curl.h>

#include <mutex>

namespace {

size_t keepBody(char* data, size_t size, size_t count, void* user)
{
    std::string& body = *static_cast<std::string*>(user);
    size_t bytes = size * count;
    if (bytes > platform::MaxAnswerBytes - body.size())
        return 0; // aborts the transfer
    body.append(data, bytes);
    return bytes;
}

int cancelled(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const std::atomic<bool>*>(cancel)->load() ? 1 : 0;
}

} // namespace

namespace platform {

HttpAnswer httpRequest(const std::string& method, const std::string& url, const std::string& body,
                       const std::vector<std::string>& headers, const std::atomic<bool>* cancel)
{
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    HttpAnswer answer;
    CURL* curl = curl_easy_init();
    if (!curl) {
        answer.error = "no HTTP client";
        return answer;
    }
    curl_slist* list = nullptr;
    for (const std::string& header : headers)
        list = curl_slist_append(list, header.c_str());
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, platform::ConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, RequestSeconds);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, list);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer.body);
    if (cancel) {
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, cancelled);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(cancel));
    }
    if (method == "POST") {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    }
    CURLcode result = curl_easy_perform(curl);
    if (result == CURLE_OK)
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
    else
        answer.error = curl_easy_strerror(result);
    curl_slist_free_all(list);
    curl_easy_cleanup(curl);
    if (answer.status == 0)
        answer.body.clear();
    return answer;
}

} // namespace platform
