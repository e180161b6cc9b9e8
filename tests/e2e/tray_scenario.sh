# shellcheck shell=bash
# The tray icon as a person uses it, played the same way on every desktop: it docks, clicks open
# its menu, dismissing the menu runs nothing, Show/Hide and a double-click toggle the panel (hiding
# stores the place), Help opens the support page in the browser, and Exit takes the icon away,
# ends the program and stores the panel's place.
#
# Sourced after lib.sh by a script that has started its desktop and defines, for its desktop:
#   launch LOG        starts the program in the background, its output to $e2e_dir/LOG
#   docked            true while the program's icon shows in the tray
#   icon_at           prints the x y of the icon's middle (for click_icon)
#   menu_open, menu_closed   whether the icon's menu is open
#   choose ITEM       chooses show_hide, settings, help, about, donate or exit in the open menu
#   dismiss_menu      closes the open menu without choosing; $dismissal says how ("Escape")
#   panels            prints the ids of the mapped reading panels, one a line
#   stored KEY        prints the text stored under window\KEY, or nothing
#   store_clear       empties the store
#   icon_gone         true once no icon of the program is left
#   $tray_place       where the icon shows ("the tray")
# and may define:
#   icon_docked       what follows the icon's docking on its desktop, its own checks of the icon too
#   menu_checks       its own checks of the first open menu
#   restart_tray_host, start_without_tray_host, start_tray_host   a tray host that restarts and
#                     one that comes after the program; without them $no_tray_host_restart says why
# Then it calls play_tray_scenario (after make_browser and the desktop's way to use it).

opened_help() { grep -qs '^https://lisotra.org/support/$' "$e2e_dir/opened"; }
open_menu() { click_icon "${1:-1}"; wait_for menu_open; }

play_tray_scenario() {
  store_clear
  launch lisotra.log
  app_pid=$!
  check "the icon shows in $tray_place" wait_for docked
  [ "$(type -t icon_docked)" = function ] && icon_docked

  click_icon 1
  check "a left click opens the menu" wait_for menu_open
  import -window root "$e2e_dir/menu.png"
  [ "$(type -t menu_checks)" = function ] && menu_checks
  dismiss_menu
  check "$dismissal closes it" wait_for menu_closed
  check "and runs nothing: no panel after a dismissed menu" panel_gone

  click_icon 3
  check "a right click opens the menu" wait_for menu_open
  choose show_hide
  check "Show/Hide from the menu shows the panel" wait_for panel_shown

  check "the panel moves" move_window "$(panel)" 240 160
  open_menu
  choose show_hide
  check "Show/Hide again hides it" wait_for panel_gone
  check "and stores the place it was moved to ($moved; stored $(stored_place))" same "$(stored_place)" "$(twips "$moved")"

  click_icon 1 2
  check "a double-click shows the panel" wait_for panel_shown
  check "and leaves no menu open" wait_for menu_closed
  click_icon 1 2
  check "another double-click hides it" wait_for panel_gone
  check "and leaves no menu open either" wait_for menu_closed

  open_menu
  choose help
  check "Help opens the support page in the browser" wait_for opened_help

  if [ "$(type -t restart_tray_host)" = function ]; then
    # The tray host restarts: the icon comes back and still answers.
    restart_tray_host
    check "the icon docks again in a restarted tray" wait_for docked
    click_icon 3
    check "and its menu still opens" wait_for menu_open
    dismiss_menu
    wait_for menu_closed
  else
    echo "skip a restarted tray host: $no_tray_host_restart"
  fi

  # Exit: the icon goes at once, the process ends, the panel's place is stored.
  click_icon 1 2
  wait_for panel_shown
  check "the panel moves again" move_window "$(panel)" 320 200
  open_menu
  choose exit
  check "Exit ends the process" wait_for process_ended "$app_pid"
  check "Exit removes the icon" icon_gone
  check "Exit stores the panel's place ($moved; stored $(stored_place))" same "$(stored_place)" "$(twips "$moved")"
  wait "$app_pid" 2>/dev/null
  app_pid=""

  if [ "$(type -t start_tray_host)" = function ]; then
    # A tray host that comes after the program.
    start_without_tray_host
    launch late.log
    app_pid=$!
    start_tray_host
    check "the icon docks in a tray that comes later" wait_for docked
    click_icon 1
    check "and its menu opens" wait_for menu_open
    dismiss_menu
  else
    echo "skip a tray host that comes later: $no_tray_host_restart"
  fi
}
