#!/usr/bin/env python3
"""Writes data/waves.txt, the wave tables of every stage and difficulty.

    tools/waves/make_waves.py [OUT]        (default: data/waves.txt beside this tree)

The tables are tuned by play: scripts/balance runs the autoplayer over them and docs/balance.md
shows how each stage and difficulty ends. Change the figures here, write the file again, and run
scripts/balance to see what the change did.

The model. A wave is measured by its strength: the health a route has to take down, weighted by
how hard each point of it is to take (a ghost's point counts double, as towers do half damage to
it). The strength of wave w on a stage is

    base x growth^(w - 1) x stage factor         (x boss factor on a boss wave)

and the health of each enemy is that strength divided by the enemy units of the wave's kind on one
route (eight fairies; four big furballs that split into two and, above easy, into four more; one
giant) and by the kind's weight. Each route's wave pays  reward base + reward step x w  points in
all, shared by the enemies that drop an item (split furballs drop nothing).
"""

import os
import random
import sys

NAMES = {
    1: "red fairy", 2: "blue fairy", 3: "green fairy", 4: "sunflower fairy", 5: "fairy squad",
    6: "furball", 7: "big furball", 8: "evil eye", 9: "spring fairy", 10: "crow", 11: "ghost",
    12: "ice fairy", 13: "darkness",
}

# How hard one point of health of each kind is to take, against a red fairy's. Ghosts take half
# damage; crows run half again as fast; spring fairies fly straight over any maze; evil eyes shrug
# off hits weaker than their wave number but walk slower; big furballs scatter when they split.
WEIGHT = {1: 1.0, 2: 1.0, 3: 1.0, 4: 1.0, 5: 1.0, 6: 1.0, 7: 0.9, 8: 0.8, 9: 0.6, 10: 0.65,
          11: 0.5, 12: 1.0, 13: 1.0}

EASY, NORMAL, HARD, LUNATIC = range(4)
DIFFICULTIES = ["easy", "normal", "hard", "lunatic"]

# Strength and reward of a boss wave (every fifth) against the curve.
BOSS = 1.25


def split_depth(difficulty):
    return 1 if difficulty == EASY else 2


def units(kind, difficulty):
    """Health units one route's share of a wave of this kind holds, for one unit of health."""
    giant = kind > 20
    base = kind - 20 if giant else kind
    generations = split_depth(difficulty) + 1  # a furball of health h and depth d leaves (d + 1) h
    if base == 7:
        return generations if giant else 4 * generations
    if base == 5:
        return 4 if giant else 8
    return 1 if giant else 8


def droppers(kind):
    """Enemies of one route's share that drop an item when killed."""
    giant = kind > 20
    base = kind - 20 if giant else kind
    if base == 7:
        return 1 if giant else 4
    if base == 5:
        return 4 if giant else 8
    return 1 if giant else 8


class Difficulty:
    def __init__(self, waves, points, base, growth, reward_base, reward_step, intro, bosses):
        self.waves = waves
        self.points = points
        self.base = base
        self.growth = growth
        self.reward_base = reward_base
        self.reward_step = reward_step
        self.intro = intro  # kinds in the order they first appear
        self.bosses = bosses  # the giant of every fifth wave

    def route_reward(self, w):
        return self.reward_base + self.reward_step * w


# Every difficulty meets its kinds in an order of its own, and its bosses differ: easy takes its
# time, lunatic brings the armoured and the fast early.
TABLES = {
    EASY: Difficulty(25, 40, 190, 1.11, 16, 1.6,
                     [1, 2, 3, 6, 4, 5, 7, 8, 10, 9, 11, 12],
                     [21, 23, 26, 25, 27]),
    NORMAL: Difficulty(30, 50, 240, 1.11, 12, 1.4,
                       [1, 3, 6, 2, 5, 8, 4, 7, 10, 11, 9, 12, 13],
                       [22, 26, 24, 28, 25, 27]),
    HARD: Difficulty(35, 50, 300, 1.113, 10, 1.2,
                     [2, 6, 1, 5, 10, 8, 7, 3, 11, 12, 9, 13, 4],
                     [23, 25, 26, 30, 28, 33, 27]),
    LUNATIC: Difficulty(40, 40, 220, 1.14, 12, 1.2,
                        [1, 5, 10, 6, 8, 7, 11, 2, 13, 9, 12, 3, 4],
                        [24, 30, 25, 28, 31, 26, 33, 27]),
}


class Stage:
    def __init__(self, prefix, title, factor, seed, furballs=False):
        self.prefix = prefix
        self.title = title
        self.factor = factor
        self.seed = seed
        self.furballs = furballs


STAGES = [
    Stage("rouka", "Corridor", 1.0, 11),
    Stage("lib", "Library", 1.0, 23),
    Stage("sky", "Sky garden", 1.1, 37),
    Stage("bigwool", "Big-furball challenge (any stage)", 1.1, 51, furballs=True),
]


def kinds_of(stage, difficulty):
    """The kind of every wave: a boss every fifth wave, a new kind whenever one is due (spread
    evenly over the stage's first two thirds), and between them kinds already met."""
    table = TABLES[difficulty]
    rng = random.Random(stage.seed * 10 + difficulty)
    intro = list(table.intro)
    if stage.furballs:
        intro = [6, 7] + [k for k in intro if k not in (6, 7)][:6]
    plain_slots = [w for w in range(1, table.waves + 1) if w % 5 != 0]
    reach = max(len(intro), (2 * len(plain_slots)) // 3)
    due = {plain_slots[round(i * (reach - 1) / max(1, len(intro) - 1))]: k for i, k in enumerate(intro)}
    met = []
    kinds = []
    for w in range(1, table.waves + 1):
        if w % 5 == 0:
            bosses = [27, 26, 27, 25, 27, 26, 27, 33] if stage.furballs else table.bosses
            kinds.append(bosses[(w // 5 - 1) % len(bosses)])
        elif w in due:
            kinds.append(due[w])
            met.append(due[w])
        else:
            pool = [k for k in met if k != kinds[-1]] or met
            if stage.furballs and rng.random() < 0.5:
                pool = [k for k in (6, 7) if k != kinds[-1]]
            kinds.append(rng.choice(pool))
    return kinds


def stage_block(stage, difficulty):
    table = TABLES[difficulty]
    key = f"{stage.prefix}_{DIFFICULTIES[difficulty]}"
    lines = [f"# {stage.title}, {DIFFICULTIES[difficulty]}: {table.waves} waves",
             f"stage {key}", f"points {table.points}"]
    seen = set()
    for w, kind in enumerate(kinds_of(stage, difficulty), start=1):
        boss = kind > 20
        base = kind - 20 if boss else kind
        strength = table.base * table.growth ** (w - 1) * stage.factor
        strength *= BOSS if boss else 1.0
        health = max(1, int(round(strength / (units(kind, difficulty) * WEIGHT[base]), -1 if strength > 2000 else 0)))
        pay = table.route_reward(w) * (BOSS if boss else 1.0)
        reward = max(1, round(pay / droppers(kind)))
        note = ""
        if boss:
            note = f"boss: giant {NAMES[base]}"
        elif kind not in seen:
            note = NAMES[kind]
        seen.add(kind)
        lines.append(f"wave {kind} {health} {reward}" + (f"    # {note}" if note else ""))
    return lines


HEADER = """\
# Wave tables of every stage and difficulty, compiled into "wbk_a.dat" at build time.
# Written by tools/waves/make_waves.py, which holds the model and its figures: change them there.
#
#   stage KEY        starts a stage block (stage prefix "_" difficulty)
#   points N         the points the player starts the stage with
#   wave ID HP R     one wave: enemy kind id, health of each enemy, reward (item value) of each
#
# Kind ids: 1 red fairy, 2 blue fairy, 3 green fairy, 4 sunflower fairy, 5 fairy squad (eight
# fairies of the four colours), 6 furball, 7 big furball (four a route; each splits into two
# furballs, which above easy split again), 8 evil eye (armour = wave number), 9 spring fairy (flies
# over walls), 10 crow (fast), 11 ghost (takes half damage unless a soul tower exposes it), 12 ice
# fairy (not slowed; gets confused), 13 darkness. Id + 20 is the giant variant: one 48-pixel enemy
# a route (a giant squad is four giant fairies, a giant big furball one that splits).
#
# Each wave is measured by its strength: the health one route has to take down, weighted by how
# hard each point is to take. Wave w's strength is  base x growth^(w - 1) x stage factor, and
# every fifth wave is a boss wave of giants at a quarter as much again:
#
#               waves  points  base  growth  route reward of wave w
"""


def header():
    lines = [HEADER.rstrip("\n")]
    for d in range(4):
        t = TABLES[d]
        lines.append(f"#   {DIFFICULTIES[d]:<10} {t.waves:5} {t.points:7} {t.base:5} {t.growth:6}   "
                     f"{t.reward_base} + {t.reward_step} w")
    lines.append("#")
    lines.append("# Stage factors: " + ", ".join(f"{s.title.split(' (')[0].lower()} {s.factor}" for s in STAGES) + ".")
    lines.append("# Kind weights: how hard one point of a kind's health is to take against a red fairy's (big")
    lines.append("# furballs scatter, evil eyes are armoured, spring fairies fly over mazes, crows run, ghosts")
    lines.append("# take half damage); every other kind 1. The tests read the next line.")
    lines.append("# kind weights: " + ", ".join(f"{k} {WEIGHT[k]}" for k in WEIGHT if WEIGHT[k] != 1.0))
    return lines


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data", "waves.txt")
    lines = header()
    for stage in STAGES:
        for difficulty in range(4):
            lines.append("")
            lines.extend(stage_block(stage, difficulty))
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
