// A small seeded generator (mulberry32) for the storms: the same seed gives the same storm.
export function generator(seed) {
  let a = seed >>> 0;
  const next = () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  return { below: (n) => Math.floor(next() * n), pick: (list) => list[Math.floor(next() * list.length)] };
}
