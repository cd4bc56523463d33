# The Debian package (`make deb`). CPack rather than a debian/ directory: it packages what the
# install rules above already say, from the one Release build of the three installed targets.
set(CPACK_PACKAGE_NAME brevimar)
set(CPACK_PACKAGE_VENDOR Tovanex)
set(CPACK_PACKAGE_CONTACT "Tovanex <brevimar@tovanex.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "break and hydration reminder for the desktop")
set(CPACK_PACKAGE_DESCRIPTION [[
Brevimar lives in the system tray and reminds you to drink water, to stand
up and move, and to take the further breaks you define: eye rest,
stretching, posture, medication. Reminders wait while you are away, the
screen is locked, a call or a screen share is on, an application is full
screen, outside work hours, during a calendar event or a pause.]])
set(CPACK_PACKAGE_HOMEPAGE_URL https://tovanex.com/brevimar/)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the programs and the calendar module link come from dpkg-shlibdeps; these are
# what they open at run time: the symbol font, Qt's X11 platform plugin and a session bus.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-material-design-icons-iconfont, qt6-qpa-plugins, default-dbus-session-bus | dbus-session-bus")
# Without the calendar service calendar events just never hold reminders; without libcanberra
# (loaded with the first sound, so dpkg-shlibdeps cannot see it) and the sound theme reminders are
# silent.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "evolution-data-server, libcanberra0, sound-theme-freedesktop")
# Stock GNOME shows tray icons only with this extension.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS gnome-shell-extension-appindicator)

include(CPack)
