# Our artwork under resources/, which the window builds in (src/shell) and the
# page copies beside itself (web/): one list for both.
set(KALVERO_ARTWORK
    banner.svg preview-placeholder.svg
    buttons/create-epa.svg buttons/exit.svg buttons/info.svg buttons/load-bmp.svg
    buttons/load-epa.svg buttons/save-epa.svg cursors/hand.svg flags/american.svg
    flags/german.svg icons/kalvero.svg text/about.txt text/readme.txt)
