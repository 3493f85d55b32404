// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QVariant>

#include <functional>

class QWidget;

namespace kit {

// How a load request came about.
enum class NavigationType {
    LinkClicked,
    Typed,
    FormSubmitted,
    BackForward,
    Reload,
    Redirect,
    Other
};

class WebView;

// What a web view asks of, and tells, the screen it works for.
class WebViewDelegate {
public:
    virtual ~WebViewDelegate() = default;
    // Asked for every load request; true lets it load.
    virtual bool shouldStartLoadWithRequest(WebView&, const QUrl&, NavigationType) { return true; }
    // After a load ends; false when it was refused or failed.
    virtual void webViewDidFinishLoad(WebView&, bool) {}
    // A press of the mouse (a touch) on the page.
    virtual void touchesBegan(WebView&) {}
};

// The phone's web view: a page shown by a real browser engine. The engine lives
// in a module of its own that is loaded when the first web view is made, so a
// start that shows no page never loads it.
class WebView {
public:
    virtual ~WebView() = default;

    // Whom the view asks and tells; none stops both (before the delegate goes).
    virtual void setDelegate(WebViewDelegate* delegate) = 0;

    // The web view as a widget: whoever takes it owns the web view with it.
    virtual QWidget* widget() = 0;
    virtual void loadRequest(const QUrl& url) = 0;
    virtual QUrl url() const = 0;
    // Runs a script in the page; the result arrives later, on the main thread.
    virtual void evaluateJavaScript(const QString& script,
                                    std::function<void(const QVariant&)> done = {}) = 0;
    // Finds a text in the page as the browser's find-in-page does: every occurrence
    // highlighted, the first one scrolled into view. done gets the number of occurrences.
    virtual void findText(const QString& text, std::function<void(int matches)> done = {}) = 0;

    // A new web view, or none when the engine module cannot be loaded (logged once).
    static WebView* create(WebViewDelegate* delegate);
};

// The engine module's entry point.
using CreateWebViewFunction = WebView* (*)(WebViewDelegate*);

} // namespace kit
