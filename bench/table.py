#!/usr/bin/env python3
"""Turns the result lines of the benchmark programs (stdin) into the README's
table: one row per goal with ours, the baseline, their ratio and the verdict.

Result line: result<TAB>id<TAB>what<TAB>unit<TAB>median<TAB>p95<TAB>runs
"""
import sys

# (goal, ours id, baseline id, limit, how the limit reads)
RATIO_GOALS = [
    ("1. Windows-menu update, nothing known (first showing: full copy), tree M (+S), vs bare copy loop", "1.ours", "1.bare", 1.15),
    ("1. Windows-menu update, nothing changed, tree M (+S), vs bare walk of both roots", "1u.M.ours", "1u.M.bare", 1.5),
    ("1. Windows-menu update, nothing changed, tree L (+S), vs bare walk of both roots", "1u.L.ours", "1u.L.bare", 1.5),
    ("1. Windows-menu update, one link added and one removed, tree M (+S), vs bare walk + one copy", "1c.M.ours", "1c.M.bare", 1.5),
    ("1. Windows-menu update, one link added and one removed, tree L (+S), vs bare walk + one copy", "1c.L.ours", "1c.L.bare", 1.5),
    ("2. Search over four roots, M each", "2.ours", "2.bare", 1.2),
    ("2. Search walk alone vs find -iname (wall)", "2.walk", "2.find", 3.0),
    ("2. Search walk alone vs find -iname (CPU)", "2.walk.cpu", "2.find.cpu", 3.0),
    ("3. Scan + clean-up of L, native model vs find -type d (wall)", "3.native", "3.find", 2.0),
    ("3. Scan + clean-up of L, native model vs find -type d (CPU)", "3.native.cpu", "3.find.cpu", 2.0),
    ("3. Scan + clean-up of L into real controls (Wine), vs native model", "3.controls", "3.native", None),
    ("3. The same with the controls redrawing, vs redraw suspended", "3.controls.redrawing", "3.controls", None),
    ("3. Scan of L into the in-memory model under Wine, vs native", "3.wine.memory", "3.native", None),
    ("4. Start-up to first paint, vs a bare window (user32 and gdi32 only)", "4.ours", "4.bare", None),
    ("4. Start-up to first paint, vs the fair baseline (common controls 6 tree and list, OLE, special folders)", "4.ours", "4.fair", 1.5),
    ("4. The fair baseline's start-up vs the bare window's", "4.fair", "4.bare", None),
    ("5. Private dirty memory after start, vs a bare window", "5.ours.start", "5.bare", None),
    ("5. Private dirty memory after start, vs the fair baseline", "5.ours.start", "5.fair", 1.5),
    ("5. Private dirty memory after the show/hide cycles and 201 Windows-menu switches, vs the fair baseline", "5.ours.after", "5.fair", None),
    ("19. Key to the first screen of ranked live results painted, L in 3 roots, vs a bare owner-data list view painting it", "19.key", "19.floor", 1.2),
    ("19. The same over one root of 50,000 files", "19.key.big", "19.floor.big", 1.2),
    ("19. Search index built at start-up vs a bare walk of the roots", "19.build", "19.walk", 1.3),
]
# (goal, ours id, baseline id, limit on the difference of the medians)
DIFFERENCE_GOALS = [
    ("6. Idle CPU, ours less the bare window's (% of one core)", "6.ours", "6.bare", 0.05),
]
# (goal, id, limit on the median or p95, which)
ABSOLUTE_GOALS = [
    ("5. Memory growth over 200 Windows-menu switches after the first (which makes the copy)", "5.growth.switches", 64.0, "median"),
    ("7. Top edge to window in front and painted, beyond the dwell", "7.ours", 50.0, "p95"),
    ("8. Hotkey to window in front and painted", "8.ours", 50.0, "p95"),
    ("19. Key to live results painted, L in 3 roots", "19.key", 50.0, "p95"),
    ("19. Key to live results painted, 50,000 files", "19.key.big", 100.0, "p95"),
]
# (what, id): figures reported without a goal
REPORTS = [
    ("5. Memory growth from start over the show/hide cycles and all 201 switches", "5.growth"),
    ("5. GDI objects gained over the 200 switches after the first (where the system counts them)", "5.gdi"),
    ("5. USER objects gained over the 200 switches after the first (where the system counts them)", "5.user"),
    ("8. A second start's show request to window in front and painted", "8.second"),
    ("6. Idle: times the program's threads ran per second", "6.ours.wakeups"),
    ("6. Idle: times the bare window's threads ran per second", "6.bare.wakeups"),
    ("6. The wineserver's CPU meanwhile (both resident, % of one core)", "6.wineserver"),
    ("1. The first switch to the Windows menu in the running program (M + S)", "1s.first"),
    ("1. The later switches, nothing changed (M + S)", "1s.later"),
    ("19. Live matches of \"e\" (thousands) over the index of 3 x L, native", "19.match.many"),
    ("19. Live matches of \"editor\" (hundreds) over the index of 3 x L, native", "19.match.few"),
    ("19. Memory of the search index per 1,000 entries (process)", "19.memory"),
    ("19. Memory of the search index per 1,000 entries (its own count)", "19.memory.own"),
    ("19. The same over one root of 50,000 files (process)", "19.memory.big"),
    ("19. The same over one root of 50,000 files (its own count)", "19.memory.big.own"),
    ("19. The launch counts' file at its bound of 400 names", "19.usage.file"),
    ("19. The launch counts in memory at their bound", "19.usage.memory"),
]
# Reported only where the system gives the figure (Windows counts GDI and USER
# objects of a process, Wine does not).
ONLY_WHERE_MEASURED = {"5.gdi", "5.user"}


def middle(values):
    values = sorted(values)
    n = len(values)
    return values[n // 2] if n % 2 else (values[n // 2 - 1] + values[n // 2]) / 2


def nearest_rank_95(values):
    values = sorted(values)
    return values[max(0, -(-95 * len(values) // 100) - 1)]


def read(lines):
    """One entry per id. An id measured in several blocks (alternating with
    its baseline, often of a single run each) gets the median of the blocks'
    medians and the 95th percentile (nearest rank) of their p95s: for
    single runs, exactly the runs' median and p95."""
    blocks = {}
    for line in lines:
        parts = line.rstrip("\n").split("\t")
        if len(parts) == 7 and parts[0] == "result":
            _, rid, what, unit, median, p95, runs = parts
            blocks.setdefault(rid, []).append(
                dict(what=what, unit=unit, median=float(median), p95=float(p95), runs=int(runs)))
    results = {}
    for rid, found in blocks.items():
        results[rid] = dict(found[-1], median=middle([b["median"] for b in found]),
                            p95=nearest_rank_95([b["p95"] for b in found]),
                            runs=sum(b["runs"] for b in found))
    return results


def cell(r):
    digits = 3 if r["unit"] == "%" else 1
    return f"{r['median']:.{digits}f} / {r['p95']:.{digits}f} {r['unit']} (n={r['runs']})"


def main():
    results = read(sys.stdin)
    print("| Goal | Ours: median / p95 | Baseline: median / p95 | Ratio of medians (p95) | Limit | Met |")
    print("|---|---|---|---|---|---|")
    for goal, ours, base, limit in RATIO_GOALS:
        o, b = results.get(ours), results.get(base)
        if not o:
            print(f"| {goal} | not measured | {cell(b) if b else '—'} | | {limit or 'report'} | — |")
            continue
        if not b or b["median"] <= 0:
            print(f"| {goal} | {cell(o)} | not measured | | {limit or 'report'} | — |")
            continue
        ratio = o["median"] / b["median"]
        ratio95 = o["p95"] / b["p95"] if b["p95"] > 0 else float("nan")
        met = "report" if limit is None else ("yes" if ratio <= limit else "**no**")
        shown_limit = f"≤ {limit}×" if limit else "—"
        print(f"| {goal} | {cell(o)} | {cell(b)} | {ratio:.2f}× ({ratio95:.2f}×) | {shown_limit} | {met} |")
    for goal, ours, base, limit in DIFFERENCE_GOALS:
        o, b = results.get(ours), results.get(base)
        if not o or not b:
            print(f"| {goal} | {cell(o) if o else 'not measured'} | {cell(b) if b else '—'} | | ≤ +{limit:g} | — |")
            continue
        difference = o["median"] - b["median"]
        met = "yes" if difference <= limit else "**no**"
        print(f"| {goal} | {cell(o)} | {cell(b)} | {difference:+.3f} {o['unit']} | ≤ +{limit:g} {o['unit']} | {met} |")
    for goal, rid, limit, which in ABSOLUTE_GOALS:
        r = results.get(rid)
        if not r:
            print(f"| {goal} | not measured | — | | ≤ {limit:g} {which} | — |")
            continue
        met = "yes" if r[which] <= limit else "**no**"
        print(f"| {goal} | {cell(r)} | — | | ≤ {limit:g} {r['unit']} ({which}) | {met} |")
    for what, rid in REPORTS:
        r = results.get(rid)
        if not r and rid in ONLY_WHERE_MEASURED:
            continue
        print(f"| {what} | {cell(r) if r else 'not measured'} | — | | — | report |")
    extra = [rid for rid in results if rid == "find.start" or rid == "find.start.cpu"]
    for rid in extra:
        print(f"| (find's own process start, included in its times) | {cell(results[rid])} | | | | |")


if __name__ == "__main__":
    main()
