// SPDX-License-Identifier: MIT
// The libcurl easy interface, one handle a request; only http and https, no redirects followed. The
// library is loaded at the first request (with a server set), so a game without one never maps it.
#include "platform/http.h"

#include <curl/curl.h>
#include <dlfcn.h>


namespace {

constexpr const char* CurlSoname = "libcurl.so.4";

// The entries of libcurl this file calls, looked up all or none.
struct Curl {
    CURLcode (*globalInit)(long);
    CURL* (*easyInit)();
    CURLcode (*easySetopt)(CURL*, CURLoption, ...);
    CURLcode (*easyPerform)(CURL*);
    CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...);
    const char* (*easyStrerror)(CURLcode);
    void (*easyCleanup)(CURL*);
    curl_slist* (*slistAppend)(curl_slist*, const char*);
    void (*slistFreeAll)(curl_slist*);
};

template <typename Fn> bool find(void* library, Fn& entry, const char* name)
{
    entry = reinterpret_cast<Fn>(dlsym(library, name));
    return entry != nullptr;
}

// The library, loaded once and kept for the rest of the run; nullptr when it cannot be loaded.
const Curl* curlLibrary()
{
    static Curl curl;
    static bool loaded = [] {
        void* library = dlopen(CurlSoname, RTLD_NOW | RTLD_LOCAL);
        bool all = library && find(library, curl.globalInit, "curl_global_init") &&
            find(library, curl.easyInit, "curl_easy_init") && find(library, curl.easySetopt, "curl_easy_setopt") &&
            find(library, curl.easyPerform, "curl_easy_perform") &&
            find(library, curl.easyGetinfo, "curl_easy_getinfo") &&
            find(library, curl.easyStrerror, "curl_easy_strerror") &&
            find(library, curl.easyCleanup, "curl_easy_cleanup") &&
            find(library, curl.slistAppend, "curl_slist_append") &&
            find(library, curl.slistFreeAll, "curl_slist_free_all");
        return all && curl.globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    }();
    return loaded ? &curl : nullptr;
}

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
    HttpAnswer answer;
    const Curl* lib = curlLibrary();
    if (!lib) {
        answer.error = std::string(CurlSoname) + " could not be loaded";
        return answer;
    }
    CURL* curl = lib->easyInit();
    if (!curl) {
        answer.error = "no HTTP client";
        return answer;
    }
    curl_slist* list = nullptr;
    for (const std::string& header : headers)
        list = lib->slistAppend(list, header.c_str());
    lib->easySetopt(curl, CURLOPT_URL, url.c_str());
    lib->easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    lib->easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    lib->easySetopt(curl, CURLOPT_CONNECTTIMEOUT, platform::ConnectSeconds);
    lib->easySetopt(curl, CURLOPT_TIMEOUT, RequestSeconds);
    lib->easySetopt(curl, CURLOPT_HTTPHEADER, list);
    lib->easySetopt(curl, CURLOPT_WRITEFUNCTION, keepBody);
    lib->easySetopt(curl, CURLOPT_WRITEDATA, &answer.body);
    if (cancel) {
        lib->easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
        lib->easySetopt(curl, CURLOPT_XFERINFOFUNCTION, cancelled);
        lib->easySetopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(cancel));
    }
    if (method == "POST") {
        lib->easySetopt(curl, CURLOPT_POST, 1L);
        lib->easySetopt(curl, CURLOPT_POSTFIELDS, body.data());
        lib->easySetopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    }
    CURLcode result = lib->easyPerform(curl);
    if (result == CURLE_OK)
        lib->easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
    else
        answer.error = lib->easyStrerror(result);
    lib->slistFreeAll(list);
    lib->easyCleanup(curl);
    if (answer.status == 0)
        answer.body.clear();
    return answer;
}

} // namespace platform
