# fish completion for brevimarctl

set -l commands log pause resume today kinds status open
complete -c brevimarctl -f
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -a log -d 'Log a reminder as done'
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -a pause -d 'Pause reminders (minutes; 0 = rest of today)'
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -a resume -d 'Resume reminders'
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -a today -d "Today's counts"
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -a kinds -d 'The reminder kinds: id and title'
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -a status -d 'What holds reminders and what comes next'
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -a open -d 'Hand a brevimar:// link to Brevimar'
complete -c brevimarctl -n "not __fish_seen_subcommand_from $commands" -s h -l help -d 'A summary of the commands'
# The kinds come from the running Brevimar, which knows the ones added in its settings; the output
# of `brevimarctl kinds` (id, tab, title) is what fish takes as a candidate and its description.
complete -c brevimarctl -n "__fish_seen_subcommand_from log; and test (count (commandline -opc)) -eq 2" -a '(brevimarctl kinds 2>/dev/null)'
complete -c brevimarctl -n "__fish_seen_subcommand_from status" -l json -d 'As one line of JSON'
complete -c brevimarctl -n "__fish_seen_subcommand_from open; and test (count (commandline -opc)) -eq 2" -a 'brevimar://done/ brevimar://snooze/ brevimar://skip/ brevimar://pause?minutes= brevimar://resume brevimar://history brevimar://settings'
