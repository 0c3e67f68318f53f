# Cuts one traced start-up into steps (scripts/bench-startup-steps.sh).
#   awk -v marks='MARK|MARK|...' -f startup_steps.awk MEMORY_LOG TRACE
# MEMORY_LOG is startup_probe's STARTUP_PROBE_MEMORY file, TRACE the WINEDEBUG=+timestamp,+pid,
# +relay output of the probe and the program it started. Step i ends at the first MARK i of the
# program after the end of step i - 1; one more step ends at the first frame. Prints one line
# per step, "index ms working_set_growth_kb peak_kb_at_end", then the same for the total.

function ms(stamp) { split(stamp, p, "."); return p[1] * 1000 + p[2] }

# The working set and the peak at a tick: the last sample taken at or before it.
function memory_at(tick, what,    i, found) {
    found = 1
    for (i = 1; i <= samples; ++i)
        if (sample_tick[i] <= tick)
            found = i
    return what == "peak" ? sample_peak[found] : sample_ws[found]
}

BEGIN {
    marks_count = split(marks, mark, "|")
    # The program is the process that makes the second mark's call: the first, its entry,
    # may be a call that other processes of the session make too.
    owner_mark = mark[2]
    next_mark = 1
}

FNR == NR {
    if ($1 == "start")
        start = $2
    else if ($1 == "frame")
        frame = $2
    else if ($1 == "memory") {
        ++samples
        sample_tick[samples] = $2
        sample_ws[samples] = $3
        sample_peak[samples] = $4
    }
    next
}

# "763.096:0130:0134:Call KERNEL32.CreateMutexA(..." or "...:Ret  dialog proc 0x... (hwnd=...,
# msg=WM_INITDIALOG,...": reduced to "Call KERNEL32.CreateMutexA" or "Ret dialog proc
# WM_INITDIALOG".
match($0, /^ *[0-9]+\.[0-9]+:[0-9a-f]+:[0-9a-f]+:(Call|Ret ) /) {
    split($0, field, ":")
    rest = substr($0, RLENGTH + 1)
    kind = field[4] ~ /^Call/ ? "Call" : "Ret"
    if (rest ~ /^(dialog|window) proc /) {
        if (!match(rest, /msg=[A-Z_]+/))
            next
        event = kind " " substr(rest, 1, index(rest, " proc") + 4) " " substr(rest, RSTART + 4, RLENGTH - 4)
    } else {
        event = kind " " substr(rest, 1, match(rest, /\(/) - 1)
    }
    if (child == "" && event == owner_mark)
        child = field[2]
    lines[++events] = event
    line_pid[events] = field[2]
    line_tick[events] = ms(field[1])
}

END {
    # The owner is known only once its mark is seen: walk the child's events in order.
    step_end[0] = start
    for (i = 1; i <= events && next_mark <= marks_count; ++i) {
        if (line_pid[i] != child || lines[i] != mark[next_mark])
            continue
        step_end[next_mark++] = line_tick[i]
    }
    if (next_mark <= marks_count || frame == "") {
        print "startup_steps: step " next_mark " not found in the trace" > "/dev/stderr"
        exit 1
    }
    step_end[marks_count + 1] = frame
    for (s = 1; s <= marks_count + 1; ++s)
        printf "%d %d %d %d\n", s, step_end[s] - step_end[s - 1],
            memory_at(step_end[s]) - memory_at(step_end[s - 1]), memory_at(step_end[s], "peak")
    printf "%d %d %d %d\n", marks_count + 2, frame - start, memory_at(frame) - memory_at(start),
        memory_at(frame, "peak")
}
