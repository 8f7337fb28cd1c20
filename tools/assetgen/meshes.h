#pragma once

#include "image.h"
#include "mesh_builder.h"

// The display meshes, in mesh units with z up, sized to the placements and
// scales the world is built with.
MeshBuilder makeQuadMesh();         // quad.json: unit square at z = 0, both sides
MeshBuilder makeWallMesh();         // wall.json: block [0,2]^3 (also banks and the water box)
MeshBuilder makeTallWallMesh();     // tallWall.json: [0,2] x [0,2] x [0,6]
MeshBuilder makePlateMesh();        // wood.json: plate whose top is at z = 5.25
MeshBuilder makeFloorPlankMesh();   // floorWood.json: thin plank on the floor
MeshBuilder makeDoorMesh();         // door.json: one leaf, x in [-1,1], z in [0,1]
MeshBuilder makeLeverMesh();        // lever.json: handle hinged at the origin
MeshBuilder makeLeverSocketMesh();  // leverSocle.json: its socket
// seaweed.json: crossed blades rooted at (0.5, 0.5), outlined to the blade picture
MeshBuilder makeSeaweedMesh(const Image& blade);
MeshBuilder makeSwimmerMesh();  // swimmer.json: head toward -y, centred on (1, 1)

// The collider file: a unit square outline.
std::string makeQuadColliderJson();
