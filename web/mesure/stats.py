#!/usr/bin/env python3
# stats.py JOURNAL DEBUT FIN: frame intervals (p50, p99, share over 20 ms)
# and process CPU per frame between two monotonic times in ms, from the
# lines "time cpu" that cadre.so writes.
import sys

lignes = [tuple(map(float, l.split())) for l in open(sys.argv[1]) if l.endswith('\n') and len(l.split()) == 2]
debut, fin = (float(open(f).read()) for f in sys.argv[2:4])
lignes = [l for l in lignes if debut <= l[0] <= fin]
paires = list(zip(lignes, lignes[1:]))
intervalles = sorted(b[0] - a[0] for a, b in paires)
cpu = sorted(b[1] - a[1] for a, b in paires)
q = lambda v, p: v[min(len(v) - 1, int(p * len(v)))]
print(f"bureau : {len(lignes)} images, intervalle p50 {q(intervalles, .5):.2f} ms p99 {q(intervalles, .99):.2f} ms, "
      f"{100 * sum(x > 20 for x in intervalles) / len(intervalles):.1f} % > 20 ms ; "
      f"CPU du processus par image {sum(cpu) / len(cpu):.2f} ms")
