# shellcheck shell=bash disable=SC2034 # the variables are for the scripts that source this
# Sourced by the help and distribution scripts: the help files, one row per
# language. Both are built from pages of the same names, so the one list of
# context ids (resources/help/HelpIds.h) and the one page per id
# (resources/help/HelpIdPages.ali) serve both projects.
#   compiled file | source folder | hunspell dictionary | word list | menu captions
# The menu captions are the ones the help must name, read from the ruler's
# command rows in the file's language.
help_files=(
    "Hilfe.chm|resources/help|de_DE|scripts/help-words.txt|src/ruler/win/RulerCommands.cpp"
    "Help.chm|resources/help-en|en_US|scripts/help-words-en.txt|src/ruler/win/RulerCommands.cpp"
)
# The help ids and their pages, included by every help project.
help_shared_files=(resources/help/HelpIds.h resources/help/HelpIdPages.ali)

# help_file_row NAME.chm: sets help_chm, help_source, help_dict, help_words and
# help_captions from that file's row; fails for a name without one.
help_file_row() {
    local row
    for row in "${help_files[@]}"; do
        IFS='|' read -r help_chm help_source help_dict help_words help_captions <<<"$row"
        [ "$help_chm" = "$1" ] && return 0
    done
    return 1
}
