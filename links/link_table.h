#pragma once

// Every link command of the system: the click of a picture or a menu item of
// a window opens a fixed link text in the user's browser (openLink). The
// texts are plain ASCII and handed over exactly as written here; one has no
// scheme, and opens as a web address.

#include "ids/window_id.h"

#include <array>
#include <string_view>

namespace links {

struct LinkCommand
{
    layout::WindowId window;
    std::string_view control; // the objectName of a picture or a menu item
    std::string_view link;
};

// The publisher's web site: a plain http link without a path. The home
// window shows its domain as the tooltip of the site's mark.
inline constexpr std::string_view kSiteScheme = "http://";
inline constexpr std::string_view kSiteLink = "http://www.nofarth-foundation.org";
inline constexpr std::string_view kSiteDomain = kSiteLink.substr(kSiteScheme.size());
static_assert(kSiteLink.starts_with(kSiteScheme) && kSiteDomain.find('/') == kSiteDomain.npos);

// clang-format off
inline constexpr std::array<LinkCommand, 5> kLinkCommands{{
    // The publisher's page on Instagram.
    {layout::form(1), "Image1", "https://www.instagram.com/nofarth_foundation"},
    // The publisher's page on Facebook.
    {layout::form(1), "Image3", "https://www.facebook.com/NofarthFoundation/"},
    // The lecturer's YouTube channel, written without a scheme.
    {layout::form(1), "Image4", "www.youtube.com/SheikhAlNofarth"},
    {layout::form(1), "Image6", kSiteLink},
    // The store page of the publisher's Android app of recitations, with the
    // app in "id" and the click identifier the link was shared with.
    {layout::form(1), "بب", "https://play.google.com/store/apps/details?id=org.nofarthfoundation.talandeem&fbclid=IwAR2xKq7Lm9VtP3sNd0RbJ5yHc8WgZ1fUe4oTa6iQpXk"},
}};
// clang-format on

} // namespace links
