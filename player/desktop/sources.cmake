# The player on the Linux desktop: screensaver inhibition while a video plays
# on screen, and MPRIS remote control of the player that started last, both
# over the D-Bus session bus. Included from player/CMakeLists.txt.
find_package(Qt6 REQUIRED COMPONENTS DBus)

target_sources(player PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/desktop_session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktop_session.h
    ${CMAKE_CURRENT_LIST_DIR}/logging.h
    ${CMAKE_CURRENT_LIST_DIR}/mpris_adaptors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mpris_adaptors.h
    ${CMAKE_CURRENT_LIST_DIR}/mpris_properties.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mpris_properties.h
    ${CMAKE_CURRENT_LIST_DIR}/mpris_service.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mpris_service.h
    ${CMAKE_CURRENT_LIST_DIR}/player_watch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/player_watch.h
    ${CMAKE_CURRENT_LIST_DIR}/position_jumps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/position_jumps.h
    ${CMAKE_CURRENT_LIST_DIR}/screensaver_inhibitor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screensaver_inhibitor.h
)
target_link_libraries(player PRIVATE Qt6::DBus)
